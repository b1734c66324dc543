#pragma once
// TValuesDialog: the one modal dialog that asks for one to three integers.
// One instance serves the whole run; rows a call does not show keep the
// captions and values the previous call left.

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

class QLabel;
class QPushButton;

namespace kestrin {

class TValueEdit;

class TValuesDialog : public QDialog {
    Q_OBJECT
public:
    explicit TValuesDialog(QWidget* parent = nullptr);

    // Shows the first `count` rows (clamped to 1..3) with these captions and
    // values; the rows beyond keep what they had. On OK the shown values are
    // copied back and the result is true; otherwise `values` stays as it was.
    bool Ask(const std::string& title, int count, const std::array<std::string, 3>& captions,
             std::array<std::int32_t, 3>& values);

    // The instance of the run, made at first use.
    static TValuesDialog& Instance();

private:
    std::array<QLabel*, 3> mLabels{};
    std::array<TValueEdit*, 3> mEdits{};
    std::array<std::int32_t, 3> mValues{};
};

}  // namespace kestrin
