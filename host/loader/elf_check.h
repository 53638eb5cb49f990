// What the loader makes sure of before it hands a file to the dynamic linker, which maps the file
// without looking at its length: a file cut short would fault on the first read of a page past its
// end, inside dlopen.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace gaugehost {

// Why `file` is not an ELF shared object of this machine whose segments all lie within the file;
// nullopt when it is one. Reads only the headers.
std::optional<std::string> elf_shared_object_problem(const std::filesystem::path& file);

}  // namespace gaugehost
