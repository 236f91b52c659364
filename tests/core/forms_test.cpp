// The windows' description: both shells index controls and menu items by name, so a name used
// twice or a control placed in a container that does not exist breaks one shell silently.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "forms/windows.h"

namespace kestrune::forms {
namespace {

TEST(Forms, NamesAreUniqueAndParentsAreContainers) {
    for (const Form* form :
         {&TitleForm(), &GameForm(), &ClearPanelForm(), &RankingForm(), &VersionForm()}) {
        std::set<std::string> names;
        for (const Control& c : form->controls) {
            EXPECT_TRUE(names.insert(c.id).second) << form->id << ": " << c.id << " twice";
            if (c.parent.empty()) continue;
            // Containers come before what they hold, so a shell can build in one pass.
            EXPECT_TRUE(names.count(c.parent)) << form->id << ": " << c.id << " in " << c.parent;
        }
        EXPECT_GT(form->width, 0);
    }
    // The panel holds the fourteen buttons, each sending a panel command.
    int buttons = 0;
    for (const Control* c : GameForm().Children("picCon"))
        if (c->kind == Kind::Button) {
            ++buttons;
            EXPECT_TRUE(c->command == kCmdRot || c->command == kCmdAhead) << c->id;
        }
    EXPECT_EQ(buttons, 14);
}

TEST(Forms, MenuItemsAreNamedOnceAndSendACommand) {
    std::set<std::string> names;
    std::function<void(const std::vector<MenuItem>&)> walk = [&](const auto& items) {
        for (const MenuItem& item : items) {
            if (item.separator) continue;
            EXPECT_TRUE(names.insert(item.id).second) << item.id << " twice";
            ASSERT_NE(item.caption, nullptr) << item.id;
            if (!item.items.empty()) {
                walk(item.items);
                continue;
            }
            EXPECT_GT(item.command, kCmdNone) << item.id;
            EXPECT_LT(item.command, kCmdEnd) << item.id;
        }
    };
    walk(GameMenus());
    EXPECT_NE(FindMenuItem("mnuLevel34"), nullptr);
    EXPECT_EQ(FindMenuItem("mnuLevel34")->argument, 4);
    EXPECT_EQ(FindMenuItem("nothing"), nullptr);
    // Only the browser carries records to and from files.
    EXPECT_TRUE(FindMenuItem("mnuExport")->webOnly);
    EXPECT_FALSE(FindMenuItem("mnuHRanking")->webOnly);
}

}  // namespace
}  // namespace kestrune::forms
