#include "core/interaction.h"

#include <QDialog>
#include <gtest/gtest.h>

TEST(Interaction, ScriptAnswersInOrderAndRecords)
{
    qel::ScriptedPrompts script;
    script.answer(qel::mrCancel).answerText(QStringLiteral("abc"));
    qel::Prompt q;
    q.title = QStringLiteral("Mirtal");
    q.text = QStringLiteral("Czy na pewno?");
    EXPECT_EQ(qel::Ask(q).result, qel::mrCancel);
    qel::Prompt in;
    in.kind = qel::Prompt::Kind::Input;
    in.value = QStringLiteral("domyślny");
    EXPECT_EQ(qel::Ask(in).text, QStringLiteral("abc"));
    // The queue is empty: OK, and the input's default comes back.
    EXPECT_EQ(qel::Ask(in).text, QStringLiteral("domyślny"));
    ASSERT_EQ(script.asked().size(), 3);
    EXPECT_EQ(script.asked()[0].text, QStringLiteral("Czy na pewno?"));
}

TEST(Interaction, ScriptsNestAndRestore)
{
    qel::ScriptedPrompts outer;
    {
        qel::ScriptedPrompts inner;
        qel::Ask(qel::Prompt{});
        EXPECT_EQ(inner.asked().size(), 1);
    }
    qel::Ask(qel::Prompt{});
    EXPECT_EQ(outer.asked().size(), 1);
}

TEST(Interaction, ModalWindowActsWithoutBlocking)
{
    qel::ScriptedPrompts script;
    qel::Reply r;
    r.result = qel::mrOk;
    bool seen = false;
    r.act = [&](QDialog& d) { seen = d.objectName() == QStringLiteral("eTest"); };
    script.answer(r);
    QDialog d;
    d.setObjectName(QStringLiteral("eTest"));
    d.setWindowTitle(QStringLiteral("Test"));
    EXPECT_EQ(qel::ExecModal(d), qel::mrOk);
    EXPECT_TRUE(seen);
    EXPECT_EQ(script.asked()[0].kind, qel::Prompt::Kind::Window);
    EXPECT_EQ(script.asked()[0].text, QStringLiteral("QDialog"));
    EXPECT_EQ(script.asked()[0].title, QStringLiteral("Test"));
}
