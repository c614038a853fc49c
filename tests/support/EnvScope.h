#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace sijill::test {

// Sets an environment variable (or unsets it for an empty value) for a scope,
// and puts the old value back.
class EnvScope {
public:
    EnvScope(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvScope() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    EnvScope(const EnvScope&) = delete;
    EnvScope& operator=(const EnvScope&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

} // namespace sijill::test
