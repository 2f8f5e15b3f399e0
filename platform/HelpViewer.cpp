#include "HelpViewer.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

#include "HelpDocument.h"
#include "Messages.h"

namespace tavenko::platform {
namespace {

QString& helpFile() {
  static QString name;
  return name;
}

class HelpWindowWidget : public QWidget {
 public:
  HelpWindowWidget() {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("タベンコ　ヘルプ"));
    // Closing frees the window; it never keeps the application running.
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(13);
    setFont(font);

    auto* contents = new QPushButton(QStringLiteral("目次"));
    auto* back = new QPushButton(QStringLiteral("戻る"));
    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    connect(contents, &QPushButton::clicked, this, &HelpWindowWidget::ShowContents);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(660, 600);
  }

  void Load(const QString& name, const QString& html) {
    if (name == loaded_) return;
    browser_->setHtml(html);
    browser_->clearHistory();
    loaded_ = name;
  }

  // The contents stand at the top of every help document.
  void ShowContents() {
    browser_->verticalScrollBar()->setValue(0);
    browser_->horizontalScrollBar()->setValue(0);
  }

 private:
  QTextBrowser* browser_;
  QString loaded_;  // the help file shown
};

QPointer<HelpWindowWidget>& helpWindow() {
  static QPointer<HelpWindowWidget> window;
  return window;
}

}  // namespace

void SetApplicationHelpFile(const QString& fileName) { helpFile() = fileName; }
QString ApplicationHelpFile() { return helpFile(); }

QWidget* HelpWindow() { return helpWindow().data(); }

void RunHelpMacro(const QString& macro, QWidget* parent) {
  const std::optional<QString> html = HelpDocumentHtml(helpFile());
  if (!html) {
    ShowMessage(parent, QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(helpFile()));
    return;
  }
  if (macro.simplified().compare(QStringLiteral("contents()"), Qt::CaseInsensitive) != 0) {
    ShowMessage(parent, QStringLiteral("ヘルプのマクロ「%1」は実行できません。").arg(macro));
    return;
  }
  if (!helpWindow()) helpWindow() = new HelpWindowWidget;
  HelpWindowWidget* window = helpWindow();
  window->Load(helpFile().toLower(), *html);
  window->show();
  window->ShowContents();
  window->raise();
  window->activateWindow();
}

}  // namespace tavenko::platform
