// Moving between keys: absolute and relative paths, the root, "..", "." and bad roots.

#include <gtest/gtest.h>

#include "registry/clsEasyRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

constexpr std::int32_t kNoCurrentKey = static_cast<std::int32_t>(0x80040001u);
constexpr std::int32_t kInvalidRoot = static_cast<std::int32_t>(0x80040002u);
constexpr std::int32_t kApiCallFailed = static_cast<std::int32_t>(0x80040100u);

template <typename Operation>
RaisedError raisedBy(Operation operation) {
    try {
        operation();
    } catch (const RaisedError& error) {
        return error;
    }
    ADD_FAILURE() << "nothing was raised";
    return RaisedError(0, "", "");
}

class EasyRegistryPaths : public ::testing::Test {
  protected:
    testsupport::TestMachine machine_{"win98"};
    clsEasyRegistry registry_;
};

TEST_F(EasyRegistryPaths, NewObjectStandsAtTheRootWithErrorsRaised) {
    EXPECT_EQ(registry_.CurrentKey(), "");
    EXPECT_FALSE(registry_.SuppressErrors());
    EXPECT_EQ(registry_.lastError(), 0);
    registry_.SuppressErrors(true);
    EXPECT_TRUE(registry_.SuppressErrors());
}

TEST_F(EasyRegistryPaths, PathsAreNormalisedToUpperCaseAbsoluteForm) {
    registry_.Cd("hkey_local_machine\\software");
    EXPECT_EQ(registry_.CurrentKey(), "\\HKEY_LOCAL_MACHINE\\SOFTWARE");
    EXPECT_EQ(registry_.lastError(), 0);

    registry_.Cd("\\HKEY_LOCAL_MACHINE\\Software\\");
    EXPECT_EQ(registry_.CurrentKey(), "\\HKEY_LOCAL_MACHINE\\SOFTWARE");

    registry_.Cd("   \\HKEY_CURRENT_USER\\Software   ");
    EXPECT_EQ(registry_.CurrentKey(), "\\HKEY_CURRENT_USER\\SOFTWARE");
    EXPECT_EQ(registry_.lastError(), 0);
}

TEST_F(EasyRegistryPaths, RelativePathsExtendTheCurrentKey) {
    registry_.Cd("\\HKEY_LOCAL_MACHINE\\System");
    registry_.Cd("CurrentControlSet\\Services\\VxD\\MSTCP");
    EXPECT_EQ(registry_.CurrentKey(),
              "\\HKEY_LOCAL_MACHINE\\SYSTEM\\CURRENTCONTROLSET\\SERVICES\\VXD\\MSTCP");
    EXPECT_EQ(registry_.lastError(), 0);
    registry_.ValueOf("HostName");
    EXPECT_EQ(registry_.lastError(), 0);
}

TEST_F(EasyRegistryPaths, DotDotClimbsToTheRootAndNoFurther) {
    EXPECT_EQ(raisedBy([&] { registry_.Cd(".."); }).Number(), kNoCurrentKey);

    registry_.Cd("\\HKEY_CURRENT_USER\\Software");
    registry_.Cd("..");
    EXPECT_EQ(registry_.CurrentKey(), "\\HKEY_CURRENT_USER");
    EXPECT_EQ(registry_.lastError(), 0);
    registry_.Cd("..");
    EXPECT_EQ(registry_.CurrentKey(), "");

    const RaisedError error = raisedBy([&] { registry_.Cd(".."); });
    EXPECT_EQ(error.Number(), kNoCurrentKey);
    EXPECT_EQ(error.Source(), "EasyRegistry");
    EXPECT_EQ(error.Description(), "No current Key.");
}

TEST_F(EasyRegistryPaths, BackslashGoesToTheRootAndDotReopens) {
    registry_.Cd("\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP");
    registry_.Cd(".");
    EXPECT_EQ(registry_.CurrentKey(),
              "\\HKEY_LOCAL_MACHINE\\SYSTEM\\CURRENTCONTROLSET\\SERVICES\\VXD\\MSTCP");
    registry_.ValueOf("HostName");
    EXPECT_EQ(registry_.lastError(), 0);

    registry_.Cd("\\");
    EXPECT_EQ(registry_.CurrentKey(), "");
    EXPECT_EQ(registry_.DirKey()->size(), 6u);
}

TEST_F(EasyRegistryPaths, GoingToTheRootReportsItsOwnClose) {
    registry_.SuppressErrors(true);
    registry_.Cd("\\HKEY_LOCAL_MACHINE\\Software");
    registry_.ValueOf("No Such Value");
    EXPECT_EQ(registry_.lastError(), 2);
    registry_.Cd("\\");
    EXPECT_EQ(registry_.lastError(), 0) << "the close was the move's only registry call";

    registry_.Cd("\\HKEY_CURRENT_USER");
    registry_.ValueOf("No Such Value");
    registry_.Cd("..");
    EXPECT_EQ(registry_.CurrentKey(), "");
    EXPECT_EQ(registry_.lastError(), 0);
}

TEST_F(EasyRegistryPaths, UnknownRootRaisesAndLeavesNoOpenKey) {
    registry_.SuppressErrors(true);  // class errors are raised all the same
    const RaisedError error = raisedBy([&] { registry_.Cd("HKLM\\Software"); });
    EXPECT_EQ(error.Number(), kInvalidRoot);
    EXPECT_EQ(error.Source(), "EasyRegistry");
    EXPECT_EQ(error.Description(), "Invalid Key root.");
    EXPECT_EQ(registry_.CurrentKey(), "");

    registry_.Cd("\\HKEY_LOCAL_MACHINE\\Software");
    EXPECT_EQ(raisedBy([&] { registry_.Cd("\\HKEY_LOCAL\\Software"); }).Number(), kInvalidRoot);
    EXPECT_EQ(registry_.CurrentKey(), "\\HKEY_LOCAL_MACHINE\\SOFTWARE");
    registry_.ValueOf("anything");
    EXPECT_NE(registry_.lastError(), 0);

    registry_.Cd("\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP");
    registry_.ValueOf("HostName");
    EXPECT_EQ(registry_.lastError(), 0);
}

TEST_F(EasyRegistryPaths, MissingKeyIsReportedThroughLastErrorWhenSuppressed) {
    registry_.SuppressErrors(true);
    registry_.Cd("\\HKEY_LOCAL_MACHINE\\Software\\No Such Vendor");
    EXPECT_EQ(registry_.lastError(), 2);
    EXPECT_EQ(registry_.CurrentKey(), "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\NO SUCH VENDOR");

    // The object has no open key until the next successful move.
    registry_.ValueOf("Version");
    EXPECT_NE(registry_.lastError(), 0);
    EXPECT_FALSE(registry_.DirKey().has_value());

    registry_.Cd("\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP");
    EXPECT_EQ(registry_.lastError(), 0);
    registry_.ValueOf("HostName");
    EXPECT_EQ(registry_.lastError(), 0);
}

TEST_F(EasyRegistryPaths, MissingKeyRaisesWhenNotSuppressedAndTheObjectRecovers) {
    const RaisedError error =
        raisedBy([&] { registry_.Cd("\\HKEY_LOCAL_MACHINE\\Software\\No Such Vendor"); });
    EXPECT_EQ(error.Number(), kApiCallFailed);
    EXPECT_EQ(error.Source(), "EasyRegistry[API Call]");
    EXPECT_EQ(error.Description(), "Key/Value does not exist.");
    EXPECT_EQ(registry_.lastError(), 2);

    // Moving on from a key that never opened does not fail on closing it.
    EXPECT_NO_THROW(registry_.Cd("\\HKEY_LOCAL_MACHINE\\Software"));
    EXPECT_EQ(registry_.lastError(), 0);
    EXPECT_NO_THROW(registry_.Cd("\\"));
}

TEST_F(EasyRegistryPaths, AnEmptyPathAtTheRootIsAnInvalidRoot) {
    EXPECT_EQ(raisedBy([&] { registry_.Cd(""); }).Number(), kInvalidRoot);
    registry_.Cd("\\HKEY_CURRENT_USER");
    registry_.Cd("  ");
    EXPECT_EQ(registry_.CurrentKey(), "\\HKEY_CURRENT_USER");
    EXPECT_EQ(registry_.lastError(), 0);
}

}  // namespace
