#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace bv::gui {

// The help file (platform::kHelpFileName) has one anchor per topic number:
// <a name="topic40"> for the Units dialog; the contents page is
// <a name="contents"> at its top.
QString helpAnchor(int topic); // 0 = the contents page

// A window that shows the help file at a topic, with Back, Forward and
// Contents. Links between topics ("#topic90") work inside the window.
class HelpWindow final : public QWidget {
  public:
    explicit HelpWindow(QWidget* owner = nullptr);

    // Shows helpFile at the topic's anchor and brings the window to the front;
    // a missing file is said so in the window.
    void showTopic(const QString& helpFile, int topic);

    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

} // namespace bv::gui
