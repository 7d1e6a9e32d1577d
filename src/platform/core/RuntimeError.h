#pragma once
#include <QString>
#include <stdexcept>

namespace carnelis {

// A failure the windows may trap: a number in the family of the classic run-time
// errors (6 overflow, 3021 no current row, ...) and a French text shown to the user.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString &text) : std::runtime_error(text.toStdString()), number_(number), text_(text)
    {
    }
    int number() const { return number_; }
    const QString &text() const { return text_; }

private:
    int number_;
    QString text_;
};

// Numbers used across the program, so that traps test a name and not a literal.
namespace err {
inline constexpr int Overflow = 6;
inline constexpr int TypeMismatch = 13;
inline constexpr int DeviceUnavailable = 68;
inline constexpr int PermissionDenied = 70;
inline constexpr int DiskNotReady = 71;
inline constexpr int DiskMediumError = 72;
inline constexpr int PathNotFound = 76;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DeviceNotAnswering = 24;
inline constexpr int OutOfPaper = 27;
inline constexpr int FormUnloaded = 364;
inline constexpr int SyntaxError = 3075;
inline constexpr int NoCurrentRecord = 3021;
inline constexpr int NotADatabase = 3343;
inline constexpr int ReadOnly = 3027;
inline constexpr int Locked = 3260;
inline constexpr int CannotOpen = 3044;
inline constexpr int UnknownTable = 3078;
inline constexpr int UnknownName = 3061;
inline constexpr int InvalidPosition = 3001;
inline constexpr int ValueRefused = 3163;
inline constexpr int InvalidArgument = 5;
inline constexpr int DiskFull = 61;
inline constexpr int EngineFailure = 3000;
inline constexpr int NoEditInProgress = 3020;
inline constexpr int DiskError = 3043;
inline constexpr int UnknownFunction = 3085;
inline constexpr int RecordDeleted = 3167;
inline constexpr int ItemNotFound = 3265;
inline constexpr int ObjectClosed = 3420;
} // namespace err

} // namespace carnelis
