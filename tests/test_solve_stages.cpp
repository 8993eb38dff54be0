// The run's stages (PrepareRun, Spread, Solve) as their caller sees them:
// the batch of once-per-solve notes belongs to the caller alone.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/WeatheringCore.h"
#include "platform/Messages.h"
#include "tests/support/ModelChecks.h"
#include "tests/support/ScenarioBuilder.h"

using model::CWeatheringCore;

// A note shown once before the stages stays shown through all of them: no
// stage starts a batch of its own, so a note raised in two stages of one
// solve cannot show twice.
TEST(SolveStages, NoStageStartsANewBatchOfNotes) {
    tavro_test::TempOutputFolder folder;
    auto core = std::make_unique<CWeatheringCore>();
    folder.Use(*core);
    platform::RecordingMessages rec;
    core->SetMessages(&rec);
    tavro_test::SolveScenario s;
    s.hours = 6;
    s.windUnc = 2.0;  // the turns of the uncertainty pass too
    ASSERT_TRUE(tavro_test::LoadSolveScenario(*core, s, 3));

    const std::string probe = "a note of this solve";
    core->Messages().Begin();
    core->Messages().ShowOnce(probe);
    struct Stage {
        const char* name;
        std::function<int()> run;
    };
    const Stage stages[] = {
        {"PrepareRun", [&] { return core->PrepareRun(); }},
        {"Spread", [&] { return core->Spread(); }},
        {"Solve", [&] { return core->Solve(true); }},
    };
    for (const Stage& stage : stages) {
        SCOPED_TRACE(stage.name);
        ASSERT_EQ(stage.run(), CWeatheringCore::RUN_OK);
        core->Messages().ShowOnce(probe);
        EXPECT_EQ(rec.Texts(), std::vector<std::string>{probe});
    }

    // A note the time loop raises itself, already shown in this solve.
    const std::string smoother = "Error: Out of Memory (smoother)";
    core->Messages().ShowOnce(smoother);
    core->testAllocFailure = 2;
    ASSERT_EQ(core->Solve(false), CWeatheringCore::RUN_OK);
    EXPECT_EQ(rec.Texts(), (std::vector<std::string>{probe, smoother}));
}
