// Every test of the module starts from the records as the module loaded them. Gauges change their
// own records at run time (hidden and luminous flags, a card's source variable, a button's bitmap,
// a parent's help id, a header's user-data word), so a test that ran before another would
// otherwise leave its traces in the records the next one reads. This listener copies every
// gauge's header, element records and mouse list before the first test and puts them back after
// each test.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "module/gauge.h"

extern "C" GaugeLinkage Linkage;

namespace {

size_t record_size(int32_t kind) {
  switch (kind) {
    case kElementNeedle: return sizeof(ElementNeedle);
    case kElementString: return sizeof(ElementString);
    case kElementSlider: return sizeof(ElementSlider);
    case kElementIcon: return sizeof(ElementIcon);
    case kElementMovingImage: return sizeof(ElementMovingImage);
    case kElementSprite: return sizeof(ElementSprite);
    default: return sizeof(ElementStaticImage);
  }
}

// One record's bytes, to be written back where they were.
struct SavedBytes {
  void* at;
  std::vector<unsigned char> bytes;

  void restore() const { std::memcpy(at, bytes.data(), bytes.size()); }
};

class RecordSnapshot : public testing::EmptyTestEventListener {
 public:
  void OnTestProgramStart(const testing::UnitTest&) override {
    for (GaugeHeader* const* gauge = Linkage.gauges; *gauge; ++gauge) save_gauge(**gauge);
  }
  void OnTestEnd(const testing::TestInfo&) override {
    for (const SavedBytes& saved : saved_) saved.restore();
  }

 private:
  void save(void* at, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(at);
    saved_.push_back({at, std::vector<unsigned char>(bytes, bytes + size)});
  }

  void save_element(ElementHeader* element) {
    save(element, record_size(element->kind));
    for (ElementHeader* const* child = element->next; child && *child; ++child) save_element(*child);
  }

  void save_gauge(GaugeHeader& gauge) {
    save(&gauge, sizeof gauge);
    for (ElementHeader* const* root = gauge.elements; root && *root; ++root) save_element(*root);
    size_t count = 1;
    for (const MouseRect* rect = gauge.mouse_rects; rect && rect->kind != kMouseEnd; ++rect) ++count;
    if (gauge.mouse_rects) save(gauge.mouse_rects, count * sizeof(MouseRect));
  }

  std::vector<SavedBytes> saved_;
};

// Registered before main runs, so that it sees the program start.
const bool kRegistered = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new RecordSnapshot);
  return true;
}();

}  // namespace
