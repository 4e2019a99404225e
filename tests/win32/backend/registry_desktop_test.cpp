#include "win32/registry_desktop.h"

#include <gtest/gtest.h>

namespace plimex::win32 {
namespace {

// Wine cuts root keys to 32 bits, so only this comparison shows a root key
// that 64-bit Windows would not know.
TEST(RegistryDesktop, TheCoresRootIsTheCurrentUsersKey) {
    EXPECT_EQ(RootKey(Desktop::kHkeyCurrentUser), HKEY_CURRENT_USER);
}

}  // namespace
}  // namespace plimex::win32
