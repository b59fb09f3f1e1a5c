#pragma once

#include <QObject>
#include <functional>
#include <string>

class QWidget;

namespace quorvane {

// Gives a widget a tooltip whose text is asked for only when the tooltip is about to show: the
// widget's toolTip is set from the source then, and the widget shows it as usual. An empty text
// shows no tooltip. The helper lives as long as the widget.
class LazyToolTip : public QObject {
    Q_OBJECT

  public:
    using Source = std::function<std::string()>;

    static void Install(QWidget* widget, Source source);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    LazyToolTip(QWidget* widget, Source source);

    Source source_;
};

}  // namespace quorvane
