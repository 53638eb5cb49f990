// Element evaluation: what the host does for each element of a gauge before drawing it, without
// drawing. Each element's sources are read into its own records, its callback is called, the
// failure actions are applied, and what drives the element is kept in an EvaluatedElement tree.
#pragma once

#include <string>
#include <vector>

#include "common/needle_rule.h"
#include "host/eval/evaluated.h"
#include "host/sim/sim_state.h"
#include "module/gauge.h"

namespace gaugehost {

// What the host keeps of one gauge instance between evaluations besides its evaluated tree, one
// slot per element in draw order: the text buffer a string element's callback writes into, and
// what spares the work of each cycle that would give the same result again (the bytes of the text
// last converted to UTF-8, a needle table's unwound angles).
class EvaluationCache {
 public:
  struct Slot {
    const ElementHeader* record = nullptr;  // whose slot it is; another record resets it
    std::vector<char> text;                 // string: the buffer handed to the callback
    std::string converted;                  // string: the bytes last converted to UTF-8
    bool has_converted = false;          //   (once there are any)
    const NonlinearityEntry* table = nullptr;   // needle: the table the marks come from,
    std::vector<NonlinearityEntry> table_copy;  //   as it was then,
    PixPoint centre{};                          //   about this centre
    std::vector<crv5::common::NeedleMark> marks;
  };

  // The slot of the element evaluated `index`-th in draw order, made ready for `record`.
  Slot& slot(size_t index, const ElementHeader& record) {
    if (index < slots_.size() && slots_[index].record == &record) [[likely]]
      return slots_[index];
    return new_slot(index, record);
  }
  // The buffer handed to a string element's callback, or null before its first evaluation.
  const char* text_buffer(const ElementString* record) const;

 private:
  Slot& new_slot(size_t index, const ElementHeader& record);

  std::vector<Slot> slots_;
};

// How far the host follows a module's element tree: deeper than any gauge's, and far below what
// would exhaust the stack; more elements than any gauge has. Beyond either the records loop back
// on themselves or run away, and evaluation stops with a HostError.
inline constexpr int kMaxElementDepth = 64;
inline constexpr size_t kMaxElements = 4096;

// Evaluates the tree whose root is elements[0], in draw order (an element, then its children,
// earlier siblings first), into `root`. `root` holds the previous evaluation, which a frozen
// element keeps and from which a needle's turn per update is limited.
void evaluate_elements(ElementHeader* const* elements, EvaluatedElement& root, SimState& sim,
                       EvaluationCache& cache);

// The value of a source record after the host filled it: the float, or the integer of the
// integer variables.
double source_value(const ModuleVar& var);

}  // namespace gaugehost
