#include "scene/PageTexts.h"

#include "chain/Layout.h"
#include "plot/Drawing.h"
#include "scene/SceneJson.h"
#include "setup/SetupActions.h"
#include "texts/TextWrap.h"

namespace quorvane {

namespace {

void Entry(JsonWriter& json, std::string_view key, std::string_view text, std::string_view tip) {
    json.Key(key).BeginObject().Key("text").String(text).Key("tip").String(WrapText(tip));
    json.EndObject();
}

}  // namespace

std::string PageTextsJson() {
    JsonWriter json;
    json.BeginObject();
    json.Key("title").String(kPageTitle);
    json.Key("menu").BeginObject();
    Entry(json, "copyPicture", kCopyPictureText,
          "Copy Picture: puts this plot group on the clipboard as a figure for a lab report, "
          "titled with the test point it shows.");
    Entry(json, "copyData", kCopyDataText,
          "Copy Data: puts the numbers this picture shows on the clipboard as text, titled with "
          "the test point.");
    Entry(json, "copySetup", kCopySetupText, SetupActionTip(SetupAction::CopySetup, {}));
    Entry(json, "pasteSetup", kPasteSetupText, SetupActionTip(SetupAction::PasteSetup, {}));
    Entry(json, "experiments", kExperimentsText, SetupActionTip(SetupAction::Experiments, {}));
    Entry(json, "copyLink", kCopyLinkText,
          "Copy Link: puts the window's settings into the page's address and on the clipboard. "
          "Whoever opens the link gets this setup.");
    json.EndObject();
    json.Key("testPointModifier").String(kPageTestPointModifier);
    json.Key("testPointShortcuts").BeginArray();
    for (int n = 1; n <= layout::kTestPointCount; ++n)
        json.String(std::string(kPageTestPointModifier) + "+" + std::to_string(n));
    json.EndArray();
    json.Key("notes").BeginObject();
    json.Key("plainHttp")
        .String(
            "This page is served over plain HTTP: the clipboard goes through a text field, and "
            "using Quorvane offline needs the page served over HTTPS (or from localhost).");
    json.Key("copyFallback").String("Copy this text (Ctrl+C), then close the box.");
    json.Key("pasteFallback").String("Paste a setup text here (Ctrl+V), then press OK.");
    json.Key("pictureFallback")
        .String(
            "The browser kept the picture off the clipboard: copy it from here with the "
            "browser's own menu (right-click, or a long press on a touch screen).");
    json.EndObject();
    json.Key("buttons").BeginObject();
    json.Key("ok").String("OK").Key("cancel").String("Cancel").Key("close").String("Close");
    json.EndObject();
    json.EndObject();
    return json.Take();
}

}  // namespace quorvane
