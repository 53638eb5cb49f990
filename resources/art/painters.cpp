#include "resources/art/painters.h"

#include <filesystem>
#include <stdexcept>
#include <utility>

namespace crv5::art {

namespace {

std::vector<RegisteredPainter>& registry() {
  static std::vector<RegisteredPainter> painters;
  return painters;
}

}  // namespace

PainterRegistration::PainterRegistration(std::vector<PainterEntry> entries, const char* file) {
  const std::string name = std::filesystem::path(file).filename().string();
  for (PainterEntry& e : entries) registry().push_back({e.bitmap, std::move(e.paint), name});
}

const std::vector<RegisteredPainter>& registered_painters() { return registry(); }

Painters painters_by_bitmap(const std::vector<RegisteredPainter>& registered) {
  Painters painters;
  std::map<int32_t, const std::string*> painted_in;
  for (const RegisteredPainter& r : registered) {
    if (auto [it, added] = painted_in.emplace(r.bitmap, &r.file); !added)
      throw std::runtime_error("bitmap " + std::to_string(r.bitmap) + " has two painters, in " +
                               *it->second + " and " + r.file);
    painters.emplace(r.bitmap, r.paint);
  }
  return painters;
}

}  // namespace crv5::art
