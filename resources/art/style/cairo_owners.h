// Owners of cairo's reference-counted objects, so that every pattern, surface and context is
// released on every path, and a guard that restores the drawing state saved at its start.
#pragma once

#include <cairo.h>

#include <memory>

namespace crv5::art {

namespace detail {
template <auto Release>
struct CairoRelease {
  template <typename T>
  void operator()(T* object) const {
    Release(object);
  }
};
}  // namespace detail

using PatternOwner = std::unique_ptr<cairo_pattern_t, detail::CairoRelease<cairo_pattern_destroy>>;
using SurfaceOwner = std::unique_ptr<cairo_surface_t, detail::CairoRelease<cairo_surface_destroy>>;
using ContextOwner = std::unique_ptr<cairo_t, detail::CairoRelease<cairo_destroy>>;

// cairo_save now, cairo_restore at the end of the scope.
class SavedState {
 public:
  explicit SavedState(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
  ~SavedState() { cairo_restore(cr_); }
  SavedState(const SavedState&) = delete;
  SavedState& operator=(const SavedState&) = delete;

 private:
  cairo_t* cr_;
};

}  // namespace crv5::art
