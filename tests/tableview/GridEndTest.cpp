#include "GridFixture.h"

#include <QAction>

using namespace carnelis;
using namespace carnelis::test;

namespace {

class GridEndTest : public GridFixture {};

// Ending the program closes the view at once: no question, no chooser shown again.
// (A binary of its own: once End has run, every later window would close silently.)
TEST_F(GridEndTest, EndClosesTheViewWithoutItsClosingSteps)
{
    ASSERT_TRUE(show({row("1", "Cérès")}));
    typeInto(0, 1, "Changé");
    dialogs.clearTranscript();

    End();
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{});
    EXPECT_FALSE(view().isVisible());
    EXPECT_FALSE(chooser.isLoaded());
}

} // namespace
