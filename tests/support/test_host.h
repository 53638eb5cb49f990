// A host for unit tests: a service table that records every call and serves the variable values a
// test sets. Constructing one attaches it to the module's ImportTable; destroying it detaches it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "module/gauge.h"

namespace crv5::testing {

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
  void set_calc_text(const std::string& expression, std::string text) {
    calc_texts_[expression] = std::move(text);
  }

  // What the module asked for, in order.
  std::vector<KeyEvent> events;
  std::vector<uint32_t> window_toggles;
  std::vector<std::string> calculations;
  std::vector<ModuleVar> lookup_records;   // each record as it was handed to lookup_var
  std::vector<uint32_t> lookups;           // the id of each lookup

  std::vector<uint32_t> event_ids() const;
  void clear_log();

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
  std::map<std::string, std::string> calc_texts_;
};

// Evaluates an element the way a host does before drawing it: the source read into the element's
// record, then the callback (or the source value where there is none).
double evaluate(ElementNeedle& needle);
double evaluate(ElementIcon& icon);

// Looks up one gauge's header in the exported table by name; null when absent.
GaugeHeader* find_gauge(const char* name);

}  // namespace crv5::testing
