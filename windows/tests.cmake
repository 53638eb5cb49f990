# The Windows tests, run under Wine by ctest in the Windows build folder (windows/wine-run: one
# Wine prefix in the build folder, headless).
enable_testing()
set(CRV5_WINE_RUN ${CMAKE_CURRENT_SOURCE_DIR}/wine-run)
set(CRV5_TEST_DIR ${PROJECT_SOURCE_DIR}/tests)

# ALSA for the Wine runs: a default device that discards what it plays, so that DirectSound opens
# and plays.
file(WRITE ${CMAKE_BINARY_DIR}/alsa-null.conf "pcm.!default { type null }\n")

# The Wine prefix, made once before the tests that run under it (not inside the first one's run).
add_test(NAME windows/wine-prefix COMMAND ${CRV5_WINE_RUN} --make-prefix $<TARGET_FILE_DIR:gaugecheck>)
set_tests_properties(windows/wine-prefix PROPERTIES FIXTURES_SETUP wine_prefix)

# The exported records, the imports, the resources and the gauge table of the built module, and
# every gauge's records as Windows loaded and relocated them.
add_executable(gau_module_test ${CRV5_TEST_DIR}/windows/gau_module_test.cpp)
target_include_directories(gau_module_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(gau_module_test PRIVATE ${CRV5_STATIC_RUNTIME})
add_dependencies(gau_module_test CRV5_Instr)
add_test(NAME windows/gau_module COMMAND ${CRV5_WINE_RUN} $<TARGET_FILE:gau_module_test>)

# The stack check of calls into the module: it reports a function that leaves its arguments; and
# every function the module's records name, called through it (gaugecheck calls).
add_executable(stack_check_test ${CRV5_TEST_DIR}/windows/stack_check_test.cpp
  gaugecheck/stack_check.cpp ${PROJECT_SOURCE_DIR}/host/base/host_error.cpp)
target_include_directories(stack_check_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(stack_check_test PRIVATE ${CRV5_STATIC_RUNTIME})
add_test(NAME windows/stack_check COMMAND ${CRV5_WINE_RUN} $<TARGET_FILE:stack_check_test>)
add_test(NAME windows/every_call_balanced COMMAND ${CMAKE_COMMAND} -E env CRV5_DSOUND=n
  ${CRV5_WINE_RUN} $<TARGET_FILE:gaugecheck> calls)

# The sound player over the Win32 platform layer, with the module's waves as its own resources:
# over Wine's own DirectSound with ALSA's null device (the real sound path, where `expect sounds`
# cannot look), and over the recording dsound.dll.
add_executable(sound_layer_test ${CRV5_TEST_DIR}/windows/sound_layer_test.cpp
  ${PROJECT_SOURCE_DIR}/sound/sound_player.cpp ${PROJECT_SOURCE_DIR}/sound/wave_resource.cpp
  $<TARGET_OBJECTS:crv5_platform_win> ${CRV5_RESOURCE_SCRIPT})
target_include_directories(sound_layer_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(sound_layer_test PRIVATE dsound ${CRV5_STATIC_RUNTIME})
add_dependencies(sound_layer_test recording_dsound)
add_test(NAME windows/directsound COMMAND ${CMAKE_COMMAND} -E env
  ALSA_CONFIG_PATH=${CMAKE_BINARY_DIR}/alsa-null.conf CRV5_DSOUND=b
  ${CRV5_WINE_RUN} $<TARGET_FILE:sound_layer_test> device)
add_test(NAME windows/recording_dsound COMMAND ${CMAKE_COMMAND} -E env CRV5_DSOUND=n
  ${CRV5_WINE_RUN} $<TARGET_FILE:sound_layer_test> recording)

# Every check file of the project, in one run of gaugecheck.exe against the Windows module, with
# the recording dsound.dll for `expect sounds`; the no-device file as on Linux.
file(GLOB_RECURSE CRV5_WINDOWS_CHECK_FILES CONFIGURE_DEPENDS ${CRV5_TEST_DIR}/checks/*.check)
list(SORT CRV5_WINDOWS_CHECK_FILES)
add_test(NAME windows/checks COMMAND ${CMAKE_COMMAND} -E env CRV5_DSOUND=n
  ${CRV5_WINE_RUN} $<TARGET_FILE:gaugecheck> check ${CRV5_WINDOWS_CHECK_FILES})
add_test(NAME windows/checks-no-sound COMMAND ${CMAKE_COMMAND} -E env CRV5_DSOUND=n
  ${CRV5_WINE_RUN} $<TARGET_FILE:gaugecheck> --sound none check
  ${CRV5_TEST_DIR}/checks-no-sound/no_device.check)

# Every test under Wine runs in the prefix made above.
get_property(CRV5_WINDOWS_TESTS DIRECTORY PROPERTY TESTS)
list(REMOVE_ITEM CRV5_WINDOWS_TESTS windows/wine-prefix)
set_tests_properties(${CRV5_WINDOWS_TESTS} PROPERTIES FIXTURES_REQUIRED wine_prefix)
