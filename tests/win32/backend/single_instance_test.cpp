#include "win32/single_instance.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_platform.h"
#include "win32/handles.h"

namespace plimex::win32 {
namespace {

// The first copy claims the folder and a second one finds it taken. An
// object of another kind under the folder's name (another program's event,
// say) leaves no mutex to take: the copy runs, and says that it is
// unprotected.
TEST(SingleInstance, ClaimsTheFolderOnceAndSaysWhenItCannot) {
    plimex::testing::FakeDiagnostics diagnostics;
    {
        const SingleInstance first(diagnostics);
        const SingleInstance second(diagnostics);
        EXPECT_TRUE(first.claimed());
        EXPECT_FALSE(second.claimed());
    }
    EXPECT_TRUE(diagnostics.lines.empty());

    const std::wstring name =
        L"Local\\Plimex2000-" + std::to_wstring(SingleInstance::FolderNumber());
    const UniqueKernelObject squatter(CreateEventW(nullptr, FALSE, FALSE, name.c_str()));
    ASSERT_TRUE(squatter);
    const SingleInstance unprotected(diagnostics);
    EXPECT_TRUE(unprotected.claimed());
    ASSERT_EQ(diagnostics.lines.size(), 1u);
    EXPECT_NE(diagnostics.lines[0].find("a second copy in this folder is not prevented"),
              std::string::npos);
}

}  // namespace
}  // namespace plimex::win32
