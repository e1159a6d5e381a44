// The export frame: the library's module state is current inside, the caller's again after every way out,
// and anything thrown inside becomes the export's failure result.
#include <gtest/gtest.h>
#include <stdexcept>

#include "ExportFrame.h"

namespace
{

AFX_MODULE_STATE callerState;

TEST(ExportFrame, MakesTheModuleStateCurrentAndRestoresTheCallers)
{
    AFX_MAINTAIN_STATE2 caller(&callerState);
    ASSERT_EQ(AfxGetModuleState(), &callerState);
    const std::int32_t result = RunExport(-1, [] {
        EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
        return 7;
    });
    EXPECT_EQ(result, 7);
    EXPECT_EQ(AfxGetModuleState(), &callerState);
}

TEST(ExportFrame, TurnsAnythingThrownIntoTheFailureResult)
{
    AFX_MAINTAIN_STATE2 caller(&callerState);
    EXPECT_EQ(RunExport(-1, []() -> std::int32_t { throw std::runtime_error("inside"); }), -1);
    EXPECT_EQ(AfxGetModuleState(), &callerState);
    EXPECT_EQ(RunExport(0, []() -> std::int32_t { throw 42; }), 0);
    EXPECT_EQ(AfxGetModuleState(), &callerState);
}

TEST(ExportFrame, NestedFramesUnwindInOrder)
{
    EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState()); // no frame: the module's own
    {
        AFX_MAINTAIN_STATE2 outer(&callerState);
        {
            AFX_MAINTAIN_STATE2 inner(AfxGetStaticModuleState());
            EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
        }
        EXPECT_EQ(AfxGetModuleState(), &callerState);
    }
    EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
}

} // namespace
