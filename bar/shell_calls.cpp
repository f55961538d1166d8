#include "bar/shell_calls.h"

namespace {
const ShellCalls kSystemCalls = {ShellExecuteExW, SHOpenFolderAndSelectItems};
const ShellCalls* g_calls = &kSystemCalls;
}  // namespace

SeamGuard OverrideShellCalls(const ShellCalls* calls)
{
    return OverrideSeam(g_calls, calls ? calls : &kSystemCalls);
}

const ShellCalls& CurrentShellCalls()
{
    return *g_calls;
}
