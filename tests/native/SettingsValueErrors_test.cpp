// A number out of range in the settings document, wherever it is, is reported
// with the file, the line and the element, by both stores that read it.
#include <functional>
#include <string>
#include <utility>

#include "UAppSettingXml_fixture.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;
using namespace quorlet::appsettingtest;

TEST_F(AppSettingTest, NumberOutOfRangeIsReportedWithItsPlace) {
    const std::string content = kDecl +
                                "\r\n<RKConfig>"
                                "\r\n\t<Application>"
                                "\r\n\t\t<Item Name=\"X\" Value=\"2147483648\"/>"
                                "\r\n\t</Application>"
                                "\r\n\t<Buttons>"
                                "\r\n\t\t<Button ID=\"101\">"
                                "\r\n\t\t\t<Item Name=\"TotolRunTimes\" Value=\"-2147483649\"/>"
                                "\r\n\t\t</Button>"
                                "\r\n\t</Buttons>"
                                "\r\n</RKConfig>";
    WriteFileText(SettingFileName, content);
    const std::string inApplication = "File \"" + SettingFileName +
                                      "\": XML error at line 4 (element <Item>): Attribute \"Value\": "
                                      "\"2147483648\" is not a valid integer value";
    const std::string inButton = "File \"" + SettingFileName +
                                 "\": XML error at line 8 (element <Item>): Attribute \"Value\": "
                                 "\"-2147483649\" is not a valid integer value";
    TAppSettingXml settings(platform);
    TBtnSettingXml buttons(platform);
    const std::pair<std::function<void()>, std::string> reads[] = {
        {[&] { settings.LoadSettings(); }, inApplication},
        {[&] { buttons.ReadButton(101); }, inButton},
        // What the start does for each cell.
        {[&] {
             buttons.LoadButtonsDoc();
             buttons.ReadButtonBrief(101);
         },
         inButton},
    };
    for (const auto& [read, expected] : reads) {
        try {
            read();
            ADD_FAILURE() << "read without an error: " << expected;
        } catch (const EXmlError& e) {
            EXPECT_EQ(std::string(e.what()), expected);
        }
    }
    EXPECT_EQ(ReadFileText(SettingFileName), content);
}
