// A host for unit tests: a service table that records every call and serves the variable values a
// test sets. Constructing one attaches it to the module's ImportTable; destroying it detaches it.
// Beside it, what the gauges' tests share: a gauge by name and its elements in draw order.
#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "module/gauge.h"

namespace crv5::testing {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct KeyEvent {
  uint32_t id;
  uint32_t value;
  bool operator==(const KeyEvent&) const = default;
};

class TestHost {
 public:
  TestHost();
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  // Values served by lookup_var; unset variables read 0.
  void set(uint32_t id, double value) { floats_[id] = value; }
  void set_u32(uint32_t id, uint32_t value) { integers_[id] = value; }
  void set_calc(const std::string& expression, double value) { calc_numbers_[expression] = value; }

  // What the module asked for, in order.
  std::vector<KeyEvent> events;
  std::vector<uint32_t> window_toggles;
  std::vector<std::string> calculations;
  std::vector<ModuleVar> lookups;  // each record as it was handed to lookup_var

  void clear_log() { events.clear(), window_toggles.clear(), calculations.clear(), lookups.clear(); }

  // The gauge callback of `gauge` with a service id and extra-data word.
  static void service(GaugeHeader& gauge, int32_t service_id, uintptr_t extra = 0);

 private:
  static void CRV5_CALL lookup_var(ModuleVar* var);
  static uint32_t CRV5_CALL trigger_key_event(uint32_t id, uint32_t value);
  static Bool32 CRV5_CALL panel_window_toggle(uint32_t id);
  static Bool32 CRV5_CALL execute_calculator_code(const char* code, double* number,
                                                  int32_t* integer, const char** text);

  HostServices services_{};
  std::map<uint32_t, double> floats_;
  std::map<uint32_t, uint32_t> integers_;
  std::map<std::string, double> calc_numbers_;
};

// One gauge's header in the exported table by name; null when absent.
GaugeHeader* find_gauge(const char* name);

// The gauge's element at `index` in draw order: an element, then its children, then its next
// sibling.
ElementHeader& element_at(const char* gauge, size_t index);
template <class Element>
Element& element(const char* gauge, size_t index) {
  return reinterpret_cast<Element&>(element_at(gauge, index));
}

// An icon's value as a host finds it before drawing: the source read into the record, then the
// callback (or the source value where there is none). A lamp's 0 is lit, -1 dark.
double icon(const char* gauge, size_t index = 1);

}  // namespace crv5::testing
