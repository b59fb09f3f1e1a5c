#include "scene/SceneJson.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "engine/NumberChars.h"

namespace quorvane {

void JsonWriter::Separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_) text_ += ',';
    first_ = false;
}

JsonWriter& JsonWriter::BeginObject() {
    Separate();
    text_ += '{';
    first_ = true;
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    text_ += '}';
    first_ = false;
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    Separate();
    text_ += '[';
    first_ = true;
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    text_ += ']';
    first_ = false;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    String(key);
    text_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view value) {
    Separate();
    text_ += '"';
    static constexpr char kHex[] = "0123456789abcdef";
    std::size_t plain = 0;  // the start of the characters not yet written
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto byte = static_cast<unsigned char>(value[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\') continue;
        text_.append(value.substr(plain, i - plain));
        plain = i + 1;
        switch (byte) {
            case '"':
                text_ += "\\\"";
                break;
            case '\\':
                text_ += "\\\\";
                break;
            case '\n':
                text_ += "\\n";
                break;
            case '\r':
                text_ += "\\r";
                break;
            case '\t':
                text_ += "\\t";
                break;
            default:
                text_ += "\\u00";
                text_ += kHex[byte >> 4];
                text_ += kHex[byte & 0xF];
        }
    }
    text_.append(value.substr(plain));
    text_ += '"';
    return *this;
}

JsonWriter& JsonWriter::Int(long long value) {
    Separate();
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    text_.append(buffer.data(), result.ptr);
    return *this;
}

bool JsonWriter::ShortDecimal(double value, bool single) {
    // Most numbers here need a few decimals at most: the fewest that read back as the same
    // value, from a whole number scaled by a power of ten (the quotient of two exact integers is
    // correctly rounded, as a reader's is).
    if (!(std::fabs(value) < 1e9)) return false;
    long long scale = 1;
    for (int decimals = 0; decimals <= 4; ++decimals, scale *= 10) {
        const long long scaled = std::llround(value * static_cast<double>(scale));
        const double back = static_cast<double>(scaled) / static_cast<double>(scale);
        if (single ? static_cast<float>(back) != static_cast<float>(value) : back != value)
            continue;
        std::array<char, 32> digits{};
        const long long magnitude = scaled < 0 ? -scaled : scaled;
        char* end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude).ptr;
        const auto length = static_cast<int>(end - digits.data());
        if (scaled < 0) text_ += '-';
        if (decimals == 0) {
            text_.append(digits.data(), end);
        } else if (length <= decimals) {
            text_ += "0.";
            text_.append(static_cast<std::size_t>(decimals - length), '0');
            text_.append(digits.data(), end);
        } else {
            text_.append(digits.data(), static_cast<std::size_t>(length - decimals));
            text_ += '.';
            text_.append(end - decimals, end);
        }
        return true;
    }
    return false;
}

JsonWriter& JsonWriter::Double(double value) {
    Separate();
    if (!std::isfinite(value)) {
        text_ += "null";
        return *this;
    }
    if (ShortDecimal(value, false)) return *this;
    std::array<char, 40> buffer{};
    const auto result = ToChars(buffer.data(), buffer.data() + buffer.size(), value);
    text_.append(buffer.data(), result.ptr);
    return *this;
}

JsonWriter& JsonWriter::Float(float value) {
    if (!std::isfinite(value)) return Double(static_cast<double>(value));
    Separate();
    if (ShortDecimal(static_cast<double>(value), true)) return *this;
    // Otherwise the fewest significant digits that read back as the same float, written in
    // fixed notation unless the exponent is far from zero.
    std::array<char, 48> buffer{};
    char* end = buffer.data();
    int digits = 1;
    for (; digits <= 9; ++digits) {
        end = ToChars(buffer.data(), buffer.data() + buffer.size(), static_cast<double>(value),
                      std::chars_format::scientific, digits - 1)
                  .ptr;
        double back = 0.0;
        FromChars(buffer.data(), end, back);
        if (static_cast<float>(back) == value) break;
    }
    digits = std::min(digits, 9);
    const std::string_view scientific(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    int exponent = 0;
    const std::size_t e = scientific.find('e');
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                    scientific.data() + scientific.size(), exponent);
    if (exponent < -5 || exponent > 8) {
        text_.append(scientific);
        return *this;
    }
    end = ToChars(buffer.data(), buffer.data() + buffer.size(), static_cast<double>(value),
                  std::chars_format::fixed, std::max(0, digits - 1 - exponent))
              .ptr;
    text_.append(buffer.data(), end);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    Separate();
    text_ += value ? "true" : "false";
    return *this;
}

namespace {

std::string_view KindName(SceneKind kind) {
    switch (kind) {
        case SceneKind::Label:
            return "label";
        case SceneKind::Combo:
            return "combo";
        case SceneKind::TextBox:
            return "textbox";
        case SceneKind::Button:
            return "button";
        case SceneKind::Check:
            return "check";
        case SceneKind::Range:
            return "range";
    }
    return "label";
}

std::string_view AlignName(SceneAlign align) {
    switch (align) {
        case SceneAlign::Left:
            return "left";
        case SceneAlign::Right:
            return "right";
        case SceneAlign::Centre:
            return "center";
    }
    return "left";
}

void Place(JsonWriter& json, int left, int top, int width, int height) {
    json.Key("left").Int(left).Key("top").Int(top).Key("width").Int(width).Key("height").Int(
        height);
}

void WriteControl(JsonWriter& json, const SceneControl& c) {
    json.BeginObject();
    json.Key("name").String(c.name).Key("kind").String(KindName(c.kind));
    Place(json, c.left, c.top, c.width, c.height);
    json.Key("visible").Bool(c.visible).Key("enabled").Bool(c.enabled);
    json.Key("text").String(c.text);
    if (c.kind == SceneKind::Combo) {
        json.Key("items").BeginArray();
        for (const std::string& item : c.items)
            json.String(item);
        json.EndArray();
    }
    json.Key("align").String(AlignName(c.align)).Key("points").Double(c.points);
    json.Key("checked").Bool(c.checked).Key("colour").String(c.colour);
    if (c.range) {
        const SceneRange& r = *c.range;
        json.Key("range").BeginObject();
        json.Key("min").Int(r.minimum).Key("max").Int(r.maximum).Key("step").Int(r.step);
        json.Key("page").Int(r.page).Key("value").Int(r.value).Key("vertical").Bool(r.vertical);
        json.EndObject();
    }
    json.Key("tip").String(c.tip).Key("lazyTip").Bool(c.lazyTip).Key("aria").String(c.aria);
    if (!c.description.empty()) json.Key("description").String(c.description);
    json.EndObject();
}

void WriteControls(JsonWriter& json, const std::vector<SceneControl>& controls) {
    json.BeginArray();
    for (const SceneControl& c : controls)
        WriteControl(json, c);
    json.EndArray();
}

void WriteLines(JsonWriter& json, const std::vector<SceneLine>& lines) {
    json.BeginArray();
    for (const SceneLine& l : lines) {
        json.BeginObject().Key("name").String(l.name);
        json.Key("x1").Double(l.x1).Key("y1").Double(l.y1).Key("x2").Double(l.x2);
        json.Key("y2").Double(l.y2);
        json.Key("width").Int(l.width).Key("colour").String(l.colour).EndObject();
    }
    json.EndArray();
}

void WriteOutlines(JsonWriter& json, const std::vector<SceneOutline>& outlines) {
    json.BeginArray();
    for (const SceneOutline& o : outlines) {
        json.BeginObject().Key("name").String(o.name);
        json.Key("kind").String(o.kind == SceneShape::Circle ? "circle" : "rect");
        Place(json, o.left, o.top, o.width, o.height);
        json.Key("border").Int(o.border).Key("colour").String(o.colour);
        json.Key("fill").String(o.fill).EndObject();
    }
    json.EndArray();
}

void WriteTwipLines(JsonWriter& json, const std::vector<TwipLine>& lines) {
    json.BeginArray();
    for (const TwipLine& l : lines)
        json.Float(l.x1).Float(l.y1).Float(l.x2).Float(l.y2);
    json.EndArray();
}

}  // namespace

std::string SceneJson(const WindowScene& scene) {
    JsonWriter json;
    // About 80 000 characters with both groups drawing.
    json.Reserve(std::size_t{1} << 17);
    json.BeginObject();
    json.Key("width").Int(scene.width).Key("height").Int(scene.height);
    json.Key("panels").BeginArray();
    for (const ScenePanel& p : scene.panels) {
        json.BeginObject();
        json.Key("name").String(p.name).Key("label").String(p.label);
        Place(json, p.left, p.top, p.width, p.height);
        json.Key("visible").Bool(p.visible);
        json.Key("controls");
        WriteControls(json, p.controls);
        json.Key("lines");
        WriteLines(json, p.lines);
        json.Key("outlines");
        WriteOutlines(json, p.outlines);
        json.Key("focusOrder").BeginArray();
        for (const std::string& name : p.focusOrder)
            json.String(name);
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
    json.Key("controls");
    WriteControls(json, scene.controls);
    json.Key("lines");
    WriteLines(json, scene.lines);
    json.Key("outlines");
    WriteOutlines(json, scene.outlines);
    json.Key("pictures").BeginArray();
    for (const ScenePicture& p : scene.pictures) {
        json.BeginObject();
        json.Key("name").String(p.name).Key("group").Int(p.group);
        json.Key("kind").String(p.spectrum ? "spectrum" : "time");
        Place(json, p.left, p.top, p.width, p.height);
        json.Key("colour").String(p.colour);
        json.Key("lines").BeginArray();
        for (const float v : p.lines)
            json.Float(v);
        json.EndArray();
        json.Key("description").String(p.description).Key("aria").String(p.aria);
        json.EndObject();
    }
    json.EndArray();
    json.Key("focusOrder").BeginArray();
    for (const std::string& name : scene.focusOrder)
        json.String(name);
    json.EndArray();
    json.EndObject();
    return json.Take();
}

std::string TickUpdateJson(const WindowScene& scene, const TickChanges& changes) {
    JsonWriter json;
    json.BeginObject().Key("controls").BeginArray();
    for (const std::size_t i : changes.controls)
        WriteControl(json, scene.controls[i]);
    json.EndArray().Key("pictures").BeginArray();
    for (std::size_t i = 0; i < scene.pictures.size(); ++i) {
        const ScenePicture& p = scene.pictures[i];
        json.BeginObject().Key("name").String(p.name).Key("colour").String(p.colour);
        json.Key("description").String(p.description);
        const bool drawn = std::find(changes.drawings.begin(), changes.drawings.end(), i) !=
                           changes.drawings.end();
        json.Key("drawn").Bool(drawn).EndObject();
    }
    json.EndArray().EndObject();
    return json.Take();
}

std::string FigureJson(const PlotGroupFigure& figure, const Drawing& time, const Drawing& spectrum,
                       std::string_view title) {
    JsonWriter json;
    json.BeginObject();
    json.Key("title").String(title);
    json.Key("width").Int(figure.width).Key("height").Int(figure.height);
    const std::pair<std::string_view, const FigureBox*> boxes[] = {
        {"timePicture", &figure.timePicture}, {"spectrumPicture", &figure.spectrumPicture}};
    for (const auto& [key, box] : boxes) {
        json.Key(key).BeginObject();
        Place(json, box->left, box->top, box->width, box->height);
        json.EndObject();
    }
    json.Key("axes");
    WriteTwipLines(json, figure.axes);
    json.Key("texts").BeginArray();
    for (const FigureText& t : figure.texts) {
        json.BeginObject();
        Place(json, t.left, t.top, t.width, t.height);
        json.Key("align").String(t.align == FigureAlign::Left    ? "left"
                                 : t.align == FigureAlign::Right ? "right"
                                                                 : "center");
        json.Key("fontTwips").Int(t.fontTwips).Key("bold").Bool(t.bold);
        json.Key("text").String(t.text).EndObject();
    }
    json.EndArray();
    const std::pair<std::string_view, const Drawing*> drawings[] = {{"time", &time},
                                                                    {"spectrum", &spectrum}};
    for (const auto& [key, drawing] : drawings) {
        json.Key(key).BeginObject();
        json.Key("colour").String(CssColour(drawing->colour)).Key("lines");
        WriteTwipLines(json, drawing->lines);
        json.EndObject();
    }
    json.EndObject();
    return json.Take();
}

}  // namespace quorvane
