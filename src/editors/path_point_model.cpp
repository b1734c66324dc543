// The point list's model.

#include "editors/path_point_model.h"

#include "app/text_convert.h"
#include "editors/path_edit_rules.h"
#include "resources/path.h"

namespace kestrin {

void PathPointModel::Refill() {
    beginResetModel();
    endResetModel();
}

void PathPointModel::Detach() {
    beginResetModel();
    mPath = nullptr;
    endResetModel();
}

int PathPointModel::rowCount(const QModelIndex& parent) const {
    return (parent.isValid() || !mPath) ? 0 : mPath->PointCount();
}

QVariant PathPointModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !mPath || !index.isValid() || index.row() >= mPath->PointCount()) return {};
    return ToQt(PathListLine(mPath->GetPoint(index.row())));
}

}  // namespace kestrin
