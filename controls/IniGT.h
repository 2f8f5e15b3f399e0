// TIniGT: typed settings (integers, booleans, strings) in the sectioned
// settings file named after the executable.
//
// Without a FileName the file is the executable's name with ".ini", the
// letters lower-cased and the first capitalised (tavenko -> Tavenko.ini). An
// installed program (run from the folder its install put it in) keeps it in
// the user's settings folder $XDG_CONFIG_HOME/tavenko (~/.config/tavenko),
// for root too, and never writes beside itself. Any other copy keeps it in
// its own folder, or, where neither that folder nor the file there may be
// written, in the user's settings folder. Kept in the user's folder, the file
// reads as the one beside the program (an older version's) until the first
// write, which starts from that file's lines and leaves it as it is. Reads
// return their default when the file, the section or the key is missing or
// unreadable. Writes return the reason "<path> に書き込めません（<reason>）"
// when the value cannot be stored, the file then left as it was, and nothing
// when it was stored.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "platform/ProfileFile.h"

// Where a bare file name is kept: by the executable's rule above, in the
// system-wide settings folder, or in the current folder.
enum TIniGTDefaultDir { ddApplication, ddWindows, ddNone };
// How WriteFencedString wraps a text so that its blanks survive the file.
enum TIniGTFence { fnDoubleQuote, fnParenthesis, fnVer11Mode, fnNone };

class TIniGT : public QObject {
  Q_OBJECT
 public:
  using WriteRefusal = tavenko::platform::WriteRefusal;

  explicit TIniGT(QObject* owner = nullptr);
  ~TIniGT() override;

  TIniGTDefaultDir DefaultDir() const { return defaultDir_; }
  void setDefaultDir(TIniGTDefaultDir dir);
  QString FileName() const { return fileName_; }
  void setFileName(const QString& name);
  TIniGTFence Fence() const { return fence_; }
  void setFence(TIniGTFence fence);
  // The full path the settings are read from and written to.
  QString Path() const;

  // Design mode, for a form designer hosting the component: a newly placed
  // component gets fnVer11Mode, and leaving fnVer11Mode shows a warning.
  void setDesigning(bool designing) { designing_ = designing; }
  bool Designing() const { return designing_; }

  // Chooses the file name from the executable's when none was set, and
  // repairs what a program killed while writing the file left behind.
  void Loaded();

  QString ReadRawString(const QString& section, const QString& key, const QString& def) const;
  [[nodiscard]] WriteRefusal WriteRawString(const QString& section, const QString& key, const QString& text);
  // True for a stored non-zero integer.
  bool ReadBool(const QString& section, const QString& key, bool def) const;
  [[nodiscard]] WriteRefusal WriteBool(const QString& section, const QString& key, bool value);
  // Decimal, or hexadecimal after "0x" or "$"; held to the int range.
  int ReadInteger(const QString& section, const QString& key, int def) const;
  [[nodiscard]] WriteRefusal WriteInteger(const QString& section, const QString& key, int value);
  QString ReadFencedString(const QString& section, const QString& key, const QString& def) const;
  [[nodiscard]] WriteRefusal WriteFencedString(const QString& section, const QString& key,
                                               const QString& text);

  // The settings file name for an executable's file name.
  static QString SettingsFileNameFor(const QString& executableName);
  // The folder of system-wide settings that ddWindows stands for: the first
  // folder of $XDG_CONFIG_DIRS, else /etc/xdg.
  static QString SystemSettingsFolder();

 private:
  QString Fenced(const QString& text) const;

  TIniGTDefaultDir defaultDir_ = ddApplication;
  QString fileName_;
  TIniGTFence fence_ = fnNone;
  bool newlyPlaced_ = true;
  bool designing_ = false;
  std::unique_ptr<tavenko::platform::ProfileFile> file_;
};
