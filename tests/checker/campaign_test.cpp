// The campaign we ship is clean by the checker and can be won.

#include "tiny.h"

namespace {

class ShippedCampaign : public ::testing::Test {
  protected:
    static Campaign* campaign;
    static Report* report;
    static ClimbPlan* plan;

    static void SetUpTestSuite() {
        campaign = new Campaign();
        report = new Report();
        plan = new ClimbPlan();
        loadCampaign(TESSARY_CAMPAIGN, *campaign, *report);
        checkPlay(*campaign, *report, plan);
    }
    static void TearDownTestSuite() {
        delete campaign;
        delete report;
        delete plan;
    }
};
Campaign* ShippedCampaign::campaign;
Report* ShippedCampaign::report;
ClimbPlan* ShippedCampaign::plan;

TEST_F(ShippedCampaign, HasNoProblemAndCanBeWon) {
    for (const Problem& p : report->problems)
        ADD_FAILURE() << p.file << ":" << p.line << ": " << p.text;
    EXPECT_TRUE(plan->wins);
}

} // namespace
