#pragma once
// Start-up and shut-down of the environment, in their fixed order: the
// preferences, the scratch folder, the action libraries, the name tables and
// the function help, the picture decoder; then the windows. At the end the
// scratch folder goes and the preferences are written back with the running
// flag cleared.

class QSettings;

namespace kestrin {

class Session {
public:
    // Reads the preferences from the settings and makes the scratch folder.
    explicit Session(QSettings& settings);
    // Removes the scratch folder and saves the preferences.
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

private:
    QSettings& mSettings;
};

}  // namespace kestrin
