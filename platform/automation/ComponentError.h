#pragma once

#include <QString>
#include <exception>
#include <string>

namespace oruhr {

// A failure with a number and a description, raised by every routine that can fail,
// in the manner of the automation errors the host product expects.
class ComponentError : public std::exception {
public:
    // Numbers that callers test for.
    static constexpr int CannotCreateComponent = 429;
    static constexpr int MemberNotFound = 438;
    static constexpr int ValueOfWrongType = 3421;
    static constexpr int ProviderNotFound = 3706;
    static constexpr int FieldNotFound = 3265;
    static constexpr int NoCurrentRecord = 3021;
    static constexpr int ObjectClosed = 3704;
    static constexpr int ReportFileCannotBeOpened = 20544;
    static constexpr int ConnectionFailed = -2147467259;   // E_FAIL
    static constexpr int CommandFailed = -2147217900;      // errors in the command text

    ComponentError(int number, QString description);

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    QString m_description;
    std::string m_what;
};

} // namespace oruhr
