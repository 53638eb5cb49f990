// Element evaluation: what the host does for each element of a gauge before drawing it, without
// drawing. Each element's sources are read into its own records, its callback is called, the
// failure actions are applied, and what drives the element is kept in an EvaluatedElement tree.
#pragma once

#include <map>
#include <vector>

#include "host/eval/evaluated.h"
#include "host/sim/sim_state.h"
#include "module/gauge.h"

namespace gaugehost {

// Text buffers of one gauge instance's string elements, owned by the host.
using TextBuffers = std::map<const ElementString*, std::vector<char>>;

// Evaluates the tree whose root is elements[0], in draw order (an element, then its children,
// earlier siblings first), into `root`. `root` holds the previous evaluation, which a frozen
// element keeps and from which a needle's turn per update is limited.
void evaluate_elements(ElementHeader* const* elements, EvaluatedElement& root, SimState& sim,
                       TextBuffers& buffers);

// The value of a source record after the host filled it: the float, or the integer of the
// integer variables.
double source_value(const ModuleVar& var);

}  // namespace gaugehost
