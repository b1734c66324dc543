// The room view's scroll bars, wheel scrolling, panning and zoom steps.

#include "editors/room_view_panel.h"

#include <QGridLayout>
#include <QScrollBar>
#include <algorithm>

#include "editors/room_view.h"
#include "resources/room.h"

namespace kestrin {

TRoomViewPanel::TRoomViewPanel(CRoom& room, TRoomView* view, QWidget* parent)
    : QWidget(parent), mRoom(room), mView(view) {
    setObjectName(QStringLiteral("ImagePanel"));
    mHBar = new QScrollBar(Qt::Horizontal, this);
    mHBar->setObjectName(QStringLiteral("HScrollBar"));
    mVBar = new QScrollBar(Qt::Vertical, this);
    mVBar->setObjectName(QStringLiteral("VScrollBar"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    view->setParent(this);
    layout->addWidget(view, 0, 0);
    layout->addWidget(mVBar, 0, 1);
    layout->addWidget(mHBar, 1, 0);
    auto follow = [this] {
        mView->SetScroll(mHBar->value(), mVBar->value());
        emit Scrolled();
    };
    connect(mHBar, &QScrollBar::valueChanged, this, follow);
    connect(mVBar, &QScrollBar::valueChanged, this, follow);
    connect(view, &TRoomView::ScrollRequested, this,
            [this](qint64 dx, qint64 dy) { ScrollTo(mView->ScrollX() + dx, mView->ScrollY() + dy); });
    connect(view, &TRoomView::Resized, this, &TRoomViewPanel::UpdateRanges);
    connect(view, &TRoomView::ZoomRequested, this, [this](int percent) { SetZoom(percent); });
}

void TRoomViewPanel::UpdateRanges() {
    const qint64 hMax = std::max<qint64>(0, qint64{mRoom.Width} - mView->VisibleWidth());
    const qint64 vMax = std::max<qint64>(0, qint64{mRoom.Height} - mView->VisibleHeight());
    mHBar->setRange(0, static_cast<int>(std::min<qint64>(hMax, INT32_MAX)));
    mVBar->setRange(0, static_cast<int>(std::min<qint64>(vMax, INT32_MAX)));
    mHBar->setPageStep(static_cast<int>(std::max<qint64>(1, mView->VisibleWidth())));
    mVBar->setPageStep(static_cast<int>(std::max<qint64>(1, mView->VisibleHeight())));
    mHBar->setSingleStep(16);
    mVBar->setSingleStep(16);
    mHBar->setEnabled(hMax > 0);
    mVBar->setEnabled(vMax > 0);
    mView->SetScroll(mHBar->value(), mVBar->value());
}

void TRoomViewPanel::ScrollTo(qint64 x, qint64 y) {
    mHBar->setValue(static_cast<int>(std::clamp<qint64>(x, mHBar->minimum(), mHBar->maximum())));
    mVBar->setValue(static_cast<int>(std::clamp<qint64>(y, mVBar->minimum(), mVBar->maximum())));
}

void TRoomViewPanel::SetZoom(int percent) {
    mView->SetZoom(percent);
    UpdateRanges();
    emit ZoomChanged(mView->Zoom());
}

}  // namespace kestrin
