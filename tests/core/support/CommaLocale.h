#pragma once

#include <clocale>

namespace quorvane::testing {

// Switches the C library to a locale whose decimal separator is a comma for the lifetime of
// the object, as a desktop session with a German or French locale does for the whole program
// (the toolkit adopts the user's locale at start-up). Active() is false when no such locale
// can be found; the build points LOCPATH at one it compiles for the tests.
class CommaLocale {
  public:
    CommaLocale() {
        for (const char* name :
             {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (std::setlocale(LC_ALL, name)) {
                active_ = *std::localeconv()->decimal_point == ',';
                if (active_) return;
            }
        }
        std::setlocale(LC_ALL, "C");
    }
    ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return active_; }

  private:
    bool active_ = false;
};

}  // namespace quorvane::testing
