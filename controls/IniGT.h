// TIniGT: typed settings in the sectioned settings file named after the
// executable. (Placeholder: the component lands with its own change; the
// public face below is what the windows use.)
#pragma once

#include <QObject>
#include <QString>

enum TIniGTDefaultDir { ddApplication, ddWindows, ddNone };
enum TIniGTFence { fnDoubleQuote, fnParenthesis, fnVer11Mode, fnNone };

class TIniGT : public QObject {
  Q_OBJECT
 public:
  explicit TIniGT(QObject* owner = nullptr);

  TIniGTDefaultDir DefaultDir() const { return defaultDir_; }
  void setDefaultDir(TIniGTDefaultDir dir) { defaultDir_ = dir; }
  QString FileName() const { return fileName_; }
  void setFileName(const QString& name) { fileName_ = name; }
  TIniGTFence Fence() const { return fence_; }
  void setFence(TIniGTFence fence) { fence_ = fence; }
  // Chooses the file name from the executable's when none was set.
  void Loaded() {}

  // The reads return the default when the file, section or key is missing;
  // the writes throw std::runtime_error("<path> に書き込めません") when refused.
  QString ReadRawString(const QString&, const QString&, const QString& def) const { return def; }
  void WriteRawString(const QString&, const QString&, const QString&) {}
  bool ReadBool(const QString&, const QString&, bool def) const { return def; }
  void WriteBool(const QString&, const QString&, bool) {}
  int ReadInteger(const QString&, const QString&, int def) const { return def; }
  void WriteInteger(const QString&, const QString&, int) {}
  QString ReadFencedString(const QString&, const QString&, const QString& def) const { return def; }
  void WriteFencedString(const QString&, const QString&, const QString&) {}

 private:
  TIniGTDefaultDir defaultDir_ = ddApplication;
  QString fileName_;
  TIniGTFence fence_ = fnNone;
};
