// The media backend choice, shared by the sound window and the game runner.

#include "image_editors/media_backend.h"

#include <QByteArray>
#include <QtGlobal>

namespace kestrin {

void ChooseMediaBackend() {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

}  // namespace kestrin
