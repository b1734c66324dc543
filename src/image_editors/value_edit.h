#pragma once
// TValueEdit: the one-line field every integer of the editors is typed into.
// Each change of its text is read again (value_text.h) and the background
// shows whether the text was valid; the text itself is never rewritten.

#include <QLineEdit>
#include <cstdint>

namespace kestrin {

class TValueEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TValueEdit(QWidget* parent = nullptr);

    std::int32_t Value() const { return mValue; }
    // The text becomes the number in decimal.
    void SetValue(std::int32_t value);
    std::int32_t MinValue() const { return mMinValue; }
    std::int32_t MaxValue() const { return mMaxValue; }
    // Bounds apply only while min < max.
    void SetMinValue(std::int32_t value);
    void SetMaxValue(std::int32_t value);
    void SetNormalColor(std::int32_t color);
    void SetErrorColor(std::int32_t color);
    // The text did not read cleanly (the field shows the error colour).
    bool HasError() const { return mError; }

signals:
    // After the text was read again: typed, pasted or set.
    void ValueChanged(std::int32_t value);

private:
    void Validate();

    std::int32_t mValue = 0;
    std::int32_t mMinValue = 0;
    std::int32_t mMaxValue = 0;
    std::int32_t mNormalColor = 0xFFFFFF;
    std::int32_t mErrorColor = 0x0000FF;
    bool mError = false;
};

}  // namespace kestrin
