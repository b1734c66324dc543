// Every kind opens its own editor window through its list, and closing the
// window tells the list.

#include <QMdiSubWindow>

#include "support/editor_fixture.h"

namespace kestrin {
namespace {

class ResourceFormsTest : public test::EditorTest {};

TEST_F(ResourceFormsTest, EveryKindOpensItsOwnWindow) {
    struct Case {
        ResourceKind kind;
        const char* window;
    };
    const Case cases[] = {
        {ResourceKind::Sprite, "TSpriteForm"},
        {ResourceKind::Sound, "TSoundForm"},
        {ResourceKind::Background, "TBackgroundForm"},
        {ResourceKind::Path, "TPathForm"},
        {ResourceKind::Script, "TScriptForm"},
        {ResourceKind::DataFile, "TDataFileForm"},
        {ResourceKind::TimeLine, "TTimeLineForm"},
        {ResourceKind::Object, "TObjectForm"},
        {ResourceKind::Room, "TRoomForm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        const int index = game.ListOf(c.kind)->AddResource();
        TResourceForm* form = Open(c.kind, index);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->objectName(), QString::fromLatin1(c.window));
        EXPECT_EQ(form->Kind(), c.kind);
        EXPECT_TRUE(form->isVisible());
        form->CloseWithOk();
        Settle();
        EXPECT_EQ(game.ListOf(c.kind)->EditorAt(index), nullptr);
    }
}

}  // namespace
}  // namespace kestrin
