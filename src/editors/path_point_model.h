#pragma once
// The point list's lines, made when the view asks for them: a path of ten
// thousand points refills in no time because nothing is built per line.

#include <QAbstractListModel>

namespace kestrin {

class CPath;

class PathPointModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit PathPointModel(const CPath* path, QObject* parent = nullptr) : QAbstractListModel(parent), mPath(path) {}

    // The path changed: every line is read again.
    void Refill();
    // The list's path is gone (the window was forgotten).
    void Detach();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const CPath* mPath;
};

}  // namespace kestrin
