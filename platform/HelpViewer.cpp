#include "platform/HelpViewer.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/FocusRing.h"
#include "platform/Fonts.h"
#include "platform/HelpDocument.h"
#include "platform/Messages.h"

namespace tavenko::platform {
namespace {

QString& helpFile() {
  static QString name;
  return name;
}

// The help documents live under qrc:/help/; a page is a document's file name.
// A page written for another edition than 平成29年版 carries its key in the
// query ("?edition=r7").
QUrl HelpPageUrl(const QString& page, const law::Edition& law = law::kHeisei29) {
  QUrl url(QStringLiteral("qrc:/help/") + page);
  if (&law != &law::kHeisei29)
    url.setQuery(QStringLiteral("edition=") + QString::fromUtf8(law.key.data(), qsizetype(law.key.size())));
  return url;
}

// The edition a page's address names.
const law::Edition& EditionOfPage(const QUrl& url) {
  const QString key = QUrlQuery(url).queryItemValue(QStringLiteral("edition"));
  const std::optional<law::EditionId> id = law::FindEdition(key.toStdString());
  return id ? law::EditionOf(*id) : law::kHeisei29;
}

// A browser that reads the help documents as HelpDocumentHtml writes them
// (with their generated tables), so links between them and the back button
// work as between ordinary pages.
class HelpBrowser : public QTextBrowser {
 protected:
  QVariant loadResource(int type, const QUrl& name) override {
    if (type == QTextDocument::HtmlResource && name.scheme() == QLatin1String("qrc")) {
      const std::optional<QString> html = HelpDocumentHtml(QFileInfo(name.path()).fileName(), EditionOfPage(name));
      if (html) return *html;
    }
    return QTextBrowser::loadResource(type, name);
  }
};

class HelpWindowWidget : public QWidget {
 public:
  HelpWindowWidget() {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("タベンコ　ヘルプ"));
    // Closing frees the window; it never keeps the application running.
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont font;
    font.setFamilies(GothicFamilies());
    font.setPixelSize(13);
    setFont(font);

    auto* contents = new QPushButton(QStringLiteral("目次"));
    auto* back = new QPushButton(QStringLiteral("戻る"));
    browser_ = new HelpBrowser;
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setAccessibleName(QStringLiteral("ヘルプの本文"));
    browser_->setOpenExternalLinks(true);
    // The documents' colours (help.css) are for white paper: keep the page
    // white and its text black under a dark desktop palette too.
    QPalette paper = browser_->palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    browser_->setPalette(paper);
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
    AddUsageHelpKey(this);
    KeepFocusVisible();
  }

  // Shows `page` (its tables written for `law`) at `section`, or from its
  // top, where its contents stand.
  void ShowPage(const QString& page, const law::Edition& law, const QString& section) {
    browser_->setSource(HelpPageUrl(page, law));
    if (section.isEmpty())
      ShowContents();
    else
      browser_->scrollToAnchor(section);
  }

  QString ShownPage() const { return QFileInfo(browser_->source().path()).fileName(); }

  // The contents stand at the top of every help document.
  void ShowContents() {
    browser_->verticalScrollBar()->setValue(0);
    browser_->horizontalScrollBar()->setValue(0);
  }

 private:
  QTextBrowser* browser_;
};

QPointer<HelpWindowWidget>& helpWindow() {
  static QPointer<HelpWindowWidget> window;
  return window;
}

// Opens the one help window, or brings it to the front, at `page` written
// for `law` and at its `section`.
void ShowHelpPage(const QString& page, const law::Edition& law = law::kHeisei29, const QString& section = {}) {
  if (!helpWindow()) helpWindow() = new HelpWindowWidget;
  HelpWindowWidget* window = helpWindow();
  window->ShowPage(page, law, section);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

void SetApplicationHelpFile(const QString& fileName) { helpFile() = fileName; }
QString ApplicationHelpFile() { return helpFile(); }

QWidget* HelpWindow() { return helpWindow().data(); }

void RunHelpMacro(const QString& macro, QWidget* parent, const law::Edition& law) {
  const std::optional<QString> html = HelpDocumentHtml(helpFile(), law);
  if (!html) {
    ShowMessage(parent, QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(helpFile()));
    return;
  }
  if (macro.simplified().compare(QStringLiteral("contents()"), Qt::CaseInsensitive) != 0) {
    ShowMessage(parent, QStringLiteral("ヘルプのマクロ「%1」は実行できません。").arg(macro));
    return;
  }
  ShowHelpPage(QFileInfo(helpFile()).completeBaseName().toLower() + QStringLiteral(".html"), law);
}

void ShowUsageHelp(const QString& section) {
  ShowHelpPage(QStringLiteral("usage.html"), law::kHeisei29, section);
}

void AddUsageHelpKey(QWidget* window, const QString& section) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, [section] { ShowUsageHelp(section); });
}

QString ShownHelpPage() { return helpWindow() ? helpWindow()->ShownPage() : QString(); }

}  // namespace tavenko::platform
