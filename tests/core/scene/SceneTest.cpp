#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/NumberChars.h"
#include "model/WindowModel.h"
#include "scene/SceneJson.h"
#include "scene/WindowScene.h"
#include "setup/Experiments.h"

namespace quorvane {
namespace {

struct StringCase {
    std::string text;
    std::string json;
};

// Quotes, backslashes and control characters are escaped; other UTF-8 passes unchanged.
TEST(SceneJson, EscapesStrings) {
    const StringCase cases[] = {
        {"Pout = 1.2e-05 W", R"("Pout = 1.2e-05 W")"},
        {R"(say "Inf" \ not)", R"("say \"Inf\" \\ not")"},
        {"two\nlines\tand\r", R"("two\nlines\tand\r")"},
        {std::string("\x01\x1f", 2) + std::string(1, '\0'), R"("\u0001\u001f\u0000")"},
        {"Time (\xC2\xB5s) 12\xC2\xB0", "\"Time (\xC2\xB5s) 12\xC2\xB0\""},
        {"", R"("")"},
    };
    for (const StringCase& c : cases) {
        JsonWriter json;
        json.String(c.text);
        EXPECT_EQ(json.Text(), c.json);
    }
}

struct FloatCase {
    float value;
    std::string json;
};

// Coordinates are written in the fewest digits that read back as the same float.
TEST(SceneJson, WritesFloatsShortestAndExact) {
    const FloatCase cases[] = {
        {0.0f, "0"},
        {1800.0f, "1800"},
        {2047.5f, "2047.5"},
        {-3.25f, "-3.25"},
        {0.1f, "0.1"},
        {1e-7f, "1e-07"},
        {1e12f, "1e+12"},
        {123456.79f, "123456.79"},
        {5894.999f, "5894.999"},
        {16.6666679f, "16.666668"},
    };
    for (const FloatCase& c : cases) {
        JsonWriter json;
        json.Float(c.value);
        EXPECT_EQ(json.Text(), c.json) << c.json;
        double back = 0.0;
        FromChars(json.Text().data(), json.Text().data() + json.Text().size(), back);
        EXPECT_EQ(static_cast<float>(back), c.value) << json.Text();
    }
    JsonWriter json;
    json.BeginArray().Double(0.5).Double(std::numeric_limits<double>::quiet_NaN()).Int(-7);
    json.Bool(true).EndArray();
    EXPECT_EQ(json.Text(), "[0.5,null,-7,true]");
}

// The field names and nesting the page reads.
TEST(SceneJson, WritesTheAgreedFields) {
    WindowScene scene;
    scene.width = 100;
    scene.height = 50;
    ScenePanel panel;
    panel.name = "MixerControl1(0)";
    panel.label = "1st Mixer";
    panel.left = 10;
    panel.width = 20;
    panel.height = 30;
    panel.visible = false;
    SceneControl list;
    list.name = "cmbLOFreq";
    list.kind = SceneKind::Combo;
    list.text = "6";
    list.items = {"100", "1.2"};
    list.tip = "t";
    list.aria = "1st Mixer LO";
    panel.controls.push_back(list);
    panel.lines.push_back({"Line1", 480, 1560, 0, 1560, 4, "WindowText"});
    panel.outlines.push_back(
        {"Shape1", SceneShape::Circle, 1, 2, 3, 4, 3, "WindowText", std::string()});
    scene.panels.push_back(panel);
    SceneControl bar;
    bar.name = "hscCentre(1)";
    bar.kind = SceneKind::Range;
    bar.range = SceneRange{1, 200, 1, 10, 100, false};
    bar.align = SceneAlign::Right;
    bar.points = 9.75;
    bar.lazyTip = true;
    bar.description = "d";
    scene.controls.push_back(bar);
    scene.lines.push_back({"lneToG(0)", 2047.5, 2287.5, 3607.5, 5760, 2, "#ff0000"});
    scene.pictures.push_back({"picSpectrum(1)",
                              1,
                              true,
                              8160,
                              8040,
                              5895,
                              1575,
                              "#00ff00",
                              {0, 1.5f, 2, 3},
                              "desc",
                              "Right plot: spectrum"});
    scene.focusOrder = {"Check1(0)", "MixerControl1(0)"};
    EXPECT_EQ(
        SceneJson(scene),
        R"j({"width":100,"height":50,"panels":[{"name":"MixerControl1(0)","label":"1st Mixer",)j"
        R"j("left":10,"top":0,"width":20,"height":30,"visible":false,"controls":[{"name":"cmbLOFreq",)j"
        R"j("kind":"combo","left":0,"top":0,"width":0,"height":0,"visible":true,"enabled":true,)j"
        R"j("text":"6","items":["100","1.2"],"align":"left","points":12,"checked":false,"colour":"",)j"
        R"j("tip":"t","lazyTip":false,"aria":"1st Mixer LO"}],"lines":[{"name":"Line1","x1":480,)j"
        R"j("y1":1560,"x2":0,"y2":1560,"width":4,"colour":"WindowText"}],"outlines":[{"name":)j"
        R"j("Shape1","kind":"circle","left":1,"top":2,"width":3,"height":4,"border":3,)j"
        R"j("colour":"WindowText","fill":""}],"focusOrder":[]}],"controls":[{"name":"hscCentre(1)","kind":"range",)j"
        R"j("left":0,"top":0,"width":0,"height":0,"visible":true,"enabled":true,"text":"",)j"
        R"j("align":"right","points":9.75,"checked":false,"colour":"","range":{"min":1,"max":200,)j"
        R"j("step":1,"page":10,"value":100,"vertical":false},"tip":"","lazyTip":true,"aria":"",)j"
        R"j("description":"d"}],"lines":[{"name":"lneToG(0)","x1":2047.5,"y1":2287.5,"x2":3607.5,)j"
        R"j("y2":5760,"width":2,"colour":"#ff0000"}],"outlines":[],"pictures":[{"name":)j"
        R"j("picSpectrum(1)","group":1,"kind":"spectrum","left":8160,"top":8040,"width":5895,)j"
        R"j("height":1575,"colour":"#00ff00","lines":[0,1.5,2,3],"description":"desc",)j"
        R"j("aria":"Right plot: spectrum"}],"focusOrder":["Check1(0)","MixerControl1(0)"]})j");
}

TEST(SceneJson, CssColours) {
    EXPECT_EQ(CssColour(0x000000C0), "#c00000");
    EXPECT_EQ(CssColour(0x0040C0), "#c04000");
    EXPECT_EQ(CssColour(0x00FF8001), "#0180ff");
    EXPECT_EQ(CssColour(kButtonFace), "ButtonFace");
}

// Over the start-up window and every experiment, ticked: names are unique, the Tab order names
// only what the scene has, every tooltip the scene carries is the model's own, and the texts
// are what the model shows.
TEST(WindowScene, AgreesWithTheModel) {
    std::vector<std::string> setups = {""};
    for (const Experiment& experiment : Experiments())
        setups.emplace_back(experiment.setup);
    for (const std::string& setup : setups) {
        SCOPED_TRACE(setup);
        WindowModel model;
        ASSERT_EQ(model.ApplySetupText(setup), "");
        model.Tick();
        const WindowScene scene = BuildScene(model);

        std::set<std::string> names;
        for (const ScenePanel& panel : scene.panels) {
            EXPECT_TRUE(names.insert(panel.name).second) << panel.name;
            std::set<std::string> own;
            for (const SceneControl& c : panel.controls) {
                EXPECT_TRUE(own.insert(c.name).second) << panel.name << " " << c.name;
                const std::string tip = model.PanelToolTip(panel.name, c.name);
                if (!tip.empty()) {
                    EXPECT_EQ(c.tip, tip) << panel.name << " " << c.name;
                }
                if (c.kind == SceneKind::TextBox || c.kind == SceneKind::Combo) {
                    EXPECT_FALSE(c.tip.empty()) << panel.name << " " << c.name;
                }
                if (c.kind != SceneKind::Label) {
                    EXPECT_FALSE(c.aria.empty()) << c.name;
                }
            }
        }
        for (const ScenePicture& p : scene.pictures)
            EXPECT_TRUE(names.insert(p.name).second) << p.name;
        for (const SceneControl& c : scene.controls) {
            EXPECT_TRUE(names.insert(c.name).second) << c.name;
            EXPECT_FALSE(c.aria.empty()) << c.name;
            if (c.lazyTip) {
                EXPECT_TRUE(c.tip.empty()) << c.name;
                continue;
            }
            EXPECT_EQ(c.tip, model.ToolTip(c.name)) << c.name;
        }
        for (const std::string& name : scene.focusOrder)
            EXPECT_TRUE(names.contains(name)) << name;

        const auto text = [&scene](const std::string& name) {
            for (const SceneControl& c : scene.controls) {
                if (c.name == name) return c.text;
            }
            return std::string("(missing)");
        };
        EXPECT_EQ(text("lblPowerOut"), model.PowerCaption());
        EXPECT_EQ(text("cmbMode"), model.ModeText());
        for (int g = 0; g < 2; ++g) {
            const PlotGroupView& view = model.PlotGroup(g);
            std::string n = "(";
            n += std::to_string(g);
            n += ')';
            EXPECT_EQ(text("lblMinTime" + n), view.lblMinTime);
            EXPECT_EQ(text("lblMaxFreq" + n), view.lblMaxFreq);
            EXPECT_EQ(scene.pictures[2 * g].lines.size(), view.time.lines.size() * 4);
            EXPECT_EQ(scene.pictures[2 * g + 1].lines.size(), view.spectrum.lines.size() * 4);
        }
    }
}

// The refresh after ticks touches only what a tick changes: over the start-up and every
// experiment, with one and two ticks between refreshes, the scene it brings up to date is the one
// built afresh, and the update names exactly the controls and drawings that changed.
TEST(WindowScene, TickRefreshCarriesWhatTheTicksChanged) {
    std::vector<std::string> setups = {""};
    for (const Experiment& experiment : Experiments())
        setups.emplace_back(experiment.setup);
    int changedControls = 0, drawnPictures = 0;
    for (const std::string& setup : setups) {
        for (const int ticks : {1, 2}) {
            SCOPED_TRACE(setup + " ticks " + std::to_string(ticks));
            WindowModel model;
            ASSERT_EQ(model.ApplySetupText(setup), "");
            model.Tick();
            WindowScene shown = BuildScene(model);
            for (int refresh = 0; refresh < 3; ++refresh) {
                const WindowScene before = shown;
                for (int n = 0; n < ticks; ++n)
                    model.Tick();
                const TickChanges changes = RefreshAfterTick(shown, model);
                EXPECT_TRUE(shown == BuildScene(model));

                const std::string json = TickUpdateJson(shown, changes);
                ASSERT_EQ(json.rfind(R"({"controls":[)", 0), 0u) << json;
                std::vector<std::size_t> changed;
                for (std::size_t i = 0; i < shown.controls.size(); ++i) {
                    const bool differs = !(shown.controls[i] == before.controls[i]);
                    if (differs) changed.push_back(i);
                    EXPECT_EQ(json.find("{\"name\":\"" + shown.controls[i].name + "\",\"kind\"") !=
                                  std::string::npos,
                              differs)
                        << shown.controls[i].name << " in " << json;
                }
                EXPECT_EQ(changes.controls, changed);
                changedControls += static_cast<int>(changed.size());
                for (std::size_t i = 0; i < shown.pictures.size(); ++i) {
                    const ScenePicture& p = shown.pictures[i];
                    const bool drawn = p.lines != before.pictures[i].lines ||
                                       p.colour != before.pictures[i].colour;
                    drawnPictures += drawn ? 1 : 0;
                    const std::size_t at = json.find("{\"name\":\"" + p.name + "\",\"colour\"");
                    ASSERT_NE(at, std::string::npos) << p.name;
                    const std::size_t flag = json.find("\"drawn\":", at);
                    EXPECT_EQ(json.compare(flag, 12, drawn ? "\"drawn\":true" : "\"drawn\":fals"),
                              0)
                        << p.name << " in " << json;
                    EXPECT_NE(json.find(p.description, at), std::string::npos) << p.name;
                }
            }
        }
    }
    // The setups really moved something: noise moves the caption and redraws the traces.
    EXPECT_GT(changedControls, 0);
    EXPECT_GT(drawnPictures, 0);
}

}  // namespace
}  // namespace quorvane
