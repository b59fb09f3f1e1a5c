#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "plot/Drawing.h"
#include "plot/PlotGroupFigure.h"
#include "scene/WindowScene.h"

namespace quorvane {

// Writes JSON text piece by piece: objects, arrays, keys and values, with the commas between
// them. Strings are escaped (quotes, backslashes and control characters; other UTF-8 passes as
// it is); numbers are written by the core's own number texts, the shortest that read back as the
// same value (a float's as the same float), so every front end reads the numbers the core has.
class JsonWriter {
  public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view value);
    JsonWriter& Int(long long value);
    JsonWriter& Double(double value);  // non-finite values are written as null
    JsonWriter& Float(float value);
    JsonWriter& Bool(bool value);

    void Reserve(std::size_t characters) { text_.reserve(characters); }
    const std::string& Text() const { return text_; }
    std::string Take() { return std::move(text_); }

  private:
    void Separate();
    bool ShortDecimal(double value, bool single);

    std::string text_;
    bool first_ = true;  // nothing written yet in the innermost object or array
    bool afterKey_ = false;
};

// The scene as the browser edition's page reads it.
std::string SceneJson(const WindowScene& scene);

// A refresh after a tick for the page: {"controls": [the window's controls that changed],
// "pictures": [{"name", "colour", "description", "drawn"}] (all of them; "drawn" when the drawing
// changed)}. The drawings themselves are not in it: the page reads them from the scene.
std::string TickUpdateJson(const WindowScene& scene, const TickChanges& changes);

// A plot group's figure for "Copy Picture" with the two drawings it frames, and its title (the
// test point shown, empty for none).
std::string FigureJson(const PlotGroupFigure& figure, const Drawing& time, const Drawing& spectrum,
                       std::string_view title);

}  // namespace quorvane
