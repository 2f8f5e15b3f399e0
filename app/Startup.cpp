#include "app/Startup.h"

#include <QAccessible>
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QPixmap>
#include <QTranslator>
#include <array>
#include <span>
#include <thread>
#include <vector>

#include "Version.h"
#include "forms/WindowLook.h"
#include "platform/Fonts.h"

// The icon pictures of this static library are registered by hand, outside
// any namespace (the registration function is global).
static void RegisterApplicationIcon() { Q_INIT_RESOURCE(tavenko_icon); }

namespace tavenko::app {
namespace {

// The options the program takes; Qt's own are taken by QApplication.
struct Options {
  QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
  QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};

  // Parses `arguments`; false when something in them is not an option above.
  bool Parse(QCommandLineParser& parser, const QStringList& arguments) const {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, version});
    return parser.parse(arguments) && parser.positionalArguments().isEmpty();
  }
};

// The window icon's pictures: those a title bar, a task bar or a dock shows,
// and the large ones only a window switcher's large view shows, which take
// nine tenths of the decoding.
constexpr std::array kShownIconSizes{16, 24, 32, 48, 64};
constexpr std::array kLargeIconSizes{128, 256};

// The window icon's pictures of `sizes`, read from the resources. Safe on
// any thread (images, not pixmaps).
std::vector<QImage> IconPictures(std::span<const int> sizes) {
  std::vector<QImage> pictures;
  for (int size : sizes) pictures.emplace_back(QStringLiteral(":/icon/tavenko-%1.png").arg(size));
  return pictures;
}

QIcon WithPictures(QIcon icon, const std::vector<QImage>& pictures) {
  for (const QImage& picture : pictures) icon.addPixmap(QPixmap::fromImage(picture));
  return icon;
}

QString ProgramName(const QStringList& arguments) {
  const QString name = arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
  return name.isEmpty() ? QStringLiteral("tavenko") : name;
}

QString HelpText(const QString& program) {
  return QStringLiteral(
             "使い方 / Usage: %1 [options]\n"
             "\n"
             "平成２９年分の税額を円単位で計算するデスクトップ電卓です。\n"
             "A desktop calculator of Japanese taxes for the tax year Heisei 29 (2017).\n"
             "\n"
             "Options:\n"
             "  -h, --help     この説明を表示して終わる / print this help and exit\n"
             "  -v, --version  版を表示して終わる / print the version and exit\n"
             "\n"
             "Qt's own options (-platform, -style, -geometry...) are taken as well.\n"
             "使い方の詳細は、プログラムの中で F1 キーを押すと表示されます。\n"
             "Press F1 in any window of the program for how to use it.\n")
      .arg(program);
}

}  // namespace

std::optional<CommandLineAnswer> AnswerBeforeWindows(const QStringList& arguments) {
  const Options options;
  QCommandLineParser parser;
  // Qt's own options are not known here and are no error yet.
  options.Parse(parser, arguments);
  if (parser.isSet(options.help)) return CommandLineAnswer{0, HelpText(ProgramName(arguments)), {}};
  if (parser.isSet(options.version)) {
    const QString line = QStringLiteral("%1 %2\n").arg(ProgramName(arguments), QLatin1String(kVersion));
    return CommandLineAnswer{0, line, {}};
  }
  return std::nullopt;
}

std::optional<CommandLineAnswer> RejectUnknownArguments(const QStringList& arguments) {
  const Options options;
  QCommandLineParser parser;
  if (options.Parse(parser, arguments)) return std::nullopt;
  const QString program = ProgramName(arguments);
  QString problem = parser.errorText().isEmpty()
                        ? QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first())
                        : parser.errorText();
  if (problem.endsWith('.')) problem.chop(1);
  return CommandLineAnswer{2, {}, QStringLiteral("%1: %2 (see %1 --help)\n").arg(program, problem)};
}

std::optional<QString> SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("タベンコ"));
  QApplication::setApplicationVersion(QLatin1String(kVersion));
  QGuiApplication::setDesktopFileName(QStringLiteral(TAVENKO_DESKTOP_ID));  // its desktop entry
  InstallJapaneseFontFallbacks();

  // Reading the font configuration is the longest step before the first
  // window can be drawn and needs nothing of the rest, so a second thread
  // reads it, and then the window icon's pictures, while this one goes on;
  // both are done before any window exists.
  RegisterApplicationIcon();
  std::vector<QImage> iconPictures;
  std::jthread reading([&iconPictures] {
    tavenko::platform::ReadFontConfiguration();
    iconPictures = IconPictures(kShownIconSizes);
  });

  // The first control made would connect to the accessibility bus and wait
  // for it; done here, the wait overlaps the reading.
  (void)QAccessible::isActive();

  // The program speaks Japanese whatever the locale, so its message-box
  // buttons and the print dialog do too.
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(&app);
  const bool translated =
      translator->load(QStringLiteral("qtbase_ja"), folder) && QApplication::installTranslator(translator);
  if (!translated) delete translator;

  reading.join();
  QApplication::setWindowIcon(WithPictures(QIcon(), iconPictures));
  if (!translated) return folder;
  return std::nullopt;
}

void AddLargeWindowIcons() {
  QApplication::setWindowIcon(WithPictures(QApplication::windowIcon(), IconPictures(kLargeIconSizes)));
}

}  // namespace tavenko::app
