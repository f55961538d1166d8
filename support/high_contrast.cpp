#include "support/high_contrast.h"

namespace {
HighContrastFunction g_lookup = nullptr;
}  // namespace

bool HighContrastOn()
{
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof contrast;
    const HighContrastFunction lookup = g_lookup ? g_lookup : SystemParametersInfoW;
    return lookup(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) && (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

SeamGuard OverrideHighContrastLookup(HighContrastFunction function)
{
    return OverrideSeam(g_lookup, function);
}
