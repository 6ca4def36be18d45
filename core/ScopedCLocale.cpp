#include "core/ScopedCLocale.h"

namespace {

locale_t CLocaleHandle() {
    // Created once and never freed: the handle is immutable and shared by every scope.
    static const locale_t handle = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return handle;
}

} // namespace

ScopedCLocale::ScopedCLocale() : mPrevious(uselocale(CLocaleHandle())) {}

ScopedCLocale::~ScopedCLocale() {
    uselocale(mPrevious);
}
