// The registration placard's module-wide value and its text rule, apart from its records.
#pragma once

#include <cstddef>

namespace crv5 {

// The simulator's ATC identifier as the host last returned it (the host's text), or null.
extern const char* registration_atc_id;

namespace registration {

// The placard's text from `parameters` (the gauge's parameter text, or null) and the ATC
// identifier `atc_id` (or null): a fixed "t" text, or the identifier; its first word, at most
// `chars` characters, underscores shown as blanks. `text` holds chars + 1 bytes.
void placard_text(const char* parameters, const char* atc_id, char* text, size_t chars);

}  // namespace registration
}  // namespace crv5
