// ResourceTreeModel: Qt's view of the visible resource tree.

#include "app/resource_tree_model.h"

#include <QFont>
#include <QMimeData>
#include <QPixmap>

#include "app/resource_icons.h"
#include "app/text_convert.h"
#include "storage/game.h"

namespace kestrin {

ResourceTreeModel::ResourceTreeModel(Game& game, QObject* parent) : QAbstractItemModel(parent), mGame(game) {
    Tree().SetObserver(this);
}

ResourceTreeModel::~ResourceTreeModel() { Tree().SetObserver(nullptr); }

CResourceTree& ResourceTreeModel::Tree() const { return mGame.Tree(); }

ResourceNode* ResourceTreeModel::NodeAt(const QModelIndex& index) const {
    if (!index.isValid()) return nullptr;
    return static_cast<ResourceNode*>(index.internalPointer());
}

QModelIndex ResourceTreeModel::IndexOf(const ResourceNode* node) const {
    if (!node || !node->Parent() || !Tree().InVisibleTree(node)) return {};
    return createIndex(node->Row(), 0, const_cast<ResourceNode*>(node));
}

QModelIndex ResourceTreeModel::ParentIndex(const ResourceNode* parent) const {
    return parent == Tree().VisibleRoot() ? QModelIndex() : IndexOf(parent);
}

QModelIndex ResourceTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0) return {};
    const ResourceNode* owner = parent.isValid() ? NodeAt(parent) : Tree().VisibleRoot();
    ResourceNode* child = owner ? owner->Child(row) : nullptr;
    return child ? createIndex(row, 0, child) : QModelIndex();
}

QModelIndex ResourceTreeModel::parent(const QModelIndex& child) const {
    ResourceNode* node = NodeAt(child);
    if (!node || !node->Parent()) return {};
    return ParentIndex(node->Parent());
}

int ResourceTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const ResourceNode* owner = parent.isValid() ? NodeAt(parent) : Tree().VisibleRoot();
    return owner ? owner->ChildCount() : 0;
}

int ResourceTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant ResourceTreeModel::data(const QModelIndex& index, int role) const {
    ResourceNode* node = NodeAt(index);
    if (!node) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            // Drawing a node takes over the list's name and the current icon.
            Tree().RefreshNode(node);
            return ToQt(node->Text);
        case Qt::DecorationRole: {
            Tree().RefreshNode(node);
            QIcon icon = ResourceIconImage(mGame, node->Icon);
            // A resource still without a picture shows its kind instead.
            if (icon.isNull() && node->Data.Kind == kNodeResource) icon = DefaultResourceIcon(node->Data.Type);
            if (!icon.isNull()) return icon;
            // Nodes without a picture keep their text in line with the others.
            static const QIcon blank = [] {
                QPixmap pixmap(16, 16);
                pixmap.fill(Qt::transparent);
                return QIcon(pixmap);
            }();
            return blank;
        }
        case Qt::FontRole:
            if (node->Data.Kind == kNodeSection) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
    }
}

bool ResourceTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    ResourceNode* node = NodeAt(index);
    if (!node || role != Qt::EditRole) return false;
    Tree().RenameNode(node, FromQt(value.toString()));
    return true;
}

Qt::ItemFlags ResourceTreeModel::flags(const QModelIndex& index) const {
    ResourceNode* node = NodeAt(index);
    if (!node) return Qt::ItemIsDropEnabled;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    // Only nodes below the top level are renamed in place or dragged.
    if (Tree().CanDrag(node)) result |= Qt::ItemIsEditable | Qt::ItemIsDragEnabled;
    return result;
}

QStringList ResourceTreeModel::mimeTypes() const { return {QString::fromLatin1(kNodeMimeType)}; }

QMimeData* ResourceTreeModel::mimeData(const QModelIndexList& indexes) const {
    // The view keeps the dragged node itself; the data only marks the drag as ours.
    auto* data = new QMimeData;
    QByteArray rows;
    for (const QModelIndex& index : indexes) rows += QByteArray::number(index.row()) + ' ';
    data->setData(QString::fromLatin1(kNodeMimeType), rows);
    return data;
}

// ---- the tree's notifications ----------------------------------------------------

void ResourceTreeModel::BeginReset() { beginResetModel(); }
void ResourceTreeModel::EndReset() { endResetModel(); }

void ResourceTreeModel::BeginInsert(ResourceNode* parent, int row) { beginInsertRows(ParentIndex(parent), row, row); }
void ResourceTreeModel::EndInsert() { endInsertRows(); }

void ResourceTreeModel::BeginRemove(ResourceNode* parent, int row) { beginRemoveRows(ParentIndex(parent), row, row); }
void ResourceTreeModel::EndRemove() { endRemoveRows(); }

void ResourceTreeModel::BeginMove(ResourceNode* fromParent, int fromRow, ResourceNode* toParent, int toRow) {
    beginMoveRows(ParentIndex(fromParent), fromRow, fromRow, ParentIndex(toParent), toRow);
}
void ResourceTreeModel::EndMove() { endMoveRows(); }

void ResourceTreeModel::BeginReorder(ResourceNode* parent) {
    QModelIndex parentIndex = ParentIndex(parent);
    emit layoutAboutToBeChanged({QPersistentModelIndex(parentIndex)});
    mReorderPersistent.clear();
    mReorderNodes.clear();
    for (const QModelIndex& index : persistentIndexList()) {
        mReorderPersistent.append(index);
        mReorderNodes.push_back(NodeAt(index));
    }
}

void ResourceTreeModel::EndReorder(ResourceNode* parent) {
    for (int i = 0; i < mReorderPersistent.size(); ++i) {
        ResourceNode* node = mReorderNodes[static_cast<std::size_t>(i)];
        changePersistentIndex(mReorderPersistent[i], node ? createIndex(node->Row(), 0, node) : QModelIndex());
    }
    mReorderPersistent.clear();
    mReorderNodes.clear();
    emit layoutChanged({QPersistentModelIndex(ParentIndex(parent))});
}

void ResourceTreeModel::NodeChanged(ResourceNode* node) {
    QModelIndex index = IndexOf(node);
    if (!index.isValid()) return;
    emit dataChanged(index, index);
    emit ExpandedChanged(index, node->Expanded);
}

void ResourceTreeModel::NodePlaced(ResourceNode* node) {
    QModelIndex index = IndexOf(node);
    if (index.isValid()) emit NodePlacedAt(index);
}

void ResourceTreeModel::Repaint() { emit RepaintRequested(); }

}  // namespace kestrin
