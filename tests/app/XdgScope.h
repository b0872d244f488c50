#pragma once
// Points XDG_CONFIG_HOME and XDG_DATA_HOME into a fresh temporary folder for one test and puts the
// earlier values back afterwards; the device name is reset to the default as well.

#include <stdlib.h>

#include <optional>
#include <string>

#include "TempDir.h"
#include "app/AppIdentity.h"

namespace vellomir::test {

class EnvVar {
public:
    EnvVar(const char* name, const std::string& value) : name_(name) {
        if (const char* old = ::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvVar() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

class XdgScope {
public:
    XdgScope()
        : config_("XDG_CONFIG_HOME", (dir_.path() / "config").string()),
          data_("XDG_DATA_HOME", (dir_.path() / "data").string()) {
        AppIdentity::Instance().SetDeviceName("");
    }
    ~XdgScope() { AppIdentity::Instance().SetDeviceName(""); }

    const TempDir& dir() const { return dir_; }
    std::filesystem::path config() const { return dir_.path() / "config"; }
    std::filesystem::path data() const { return dir_.path() / "data"; }

private:
    TempDir dir_;
    EnvVar config_;
    EnvVar data_;
};

}  // namespace vellomir::test
