// The program in the user's language: English for an English desktop, the
// texts as written for everyone else, and Qt's own dialogs in the user's
// language (Polish where the desktop names none).
#include "gui/app/translations.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QXmlStreamReader>
#include <map>

#include "core/history/step_names.h"
#include "gui/common/core_texts.h"
#include "gui/platform/program_data.h"
#include "gui/platform/qt_user_interaction.h"
#include "support/add_person.h"
#include "support/program_fixture.h"
#include "support/temp_dir.h"

namespace lineara::test {
namespace {

const QString kBuiltData = QStringLiteral(LINEARA_BUILT_PROGRAM_DATA);

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;  // "unfinished", "vanished", "obsolete" or empty
};

std::vector<Message> readTs(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    std::vector<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            m = Message{context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            m.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            m.type = xml.attributes().value(QLatin1String("type")).toString();
            m.translation = xml.readElementText();
            messages.push_back(m);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

// The placeholders of a text, sorted: "%2 %1 %1" gives "%1%1%2".
QString placeholders(const QString& text) {
    QStringList found;
    static const QRegularExpression marker(QStringLiteral("%[1-9]"));
    for (const auto& match : marker.globalMatch(text)) found << match.captured();
    found.sort();
    return found.join(QString());
}

TEST(TranslationsTest, TheUsersFirstLanguageChoosesTheTranslations) {
    const struct {
        std::vector<const char*> languages;
        const char* program;
        const char* qt;
    } cases[] = {
        {{"en-US", "en-Latn-US", "en"}, "en", ""},
        {{"en-GB", "en-Latn-GB"}, "en", ""},
        {{"pl-PL", "pl-Latn-PL", "pl"}, "", "pl_PL"},
        {{"pt-BR", "pt-Latn-BR", "pt"}, "", "pt_BR"},
        // A fallback to English does not make a Polish or German user's
        // program English; their dialogs follow their own language.
        {{"pl-PL", "en"}, "", "pl_PL"},
        {{"de-DE", "de-Latn-DE", "de", "en"}, "", "de_DE"},
        // LANG=C or nothing: the program's own language for the dialogs too.
        {{"C"}, "", "pl_PL"},
        {{}, "", "pl_PL"},
    };
    for (const auto& c : cases) {
        QStringList languages;
        for (const char* language : c.languages) languages << QString::fromLatin1(language);
        const LanguageChoice choice = chooseLanguages(languages);
        SCOPED_TRACE(languages.join(QLatin1Char(',')).toStdString());
        EXPECT_EQ(choice.program, QLatin1String(c.program));
        EXPECT_EQ(choice.qt, QLatin1String(c.qt));
    }
}

// Every text marked for translation has a finished English translation
// that keeps its placeholders and its letter marks.
TEST(TranslationsTest, EveryMarkedTextHasAFinishedEnglishTranslation) {
    const std::vector<Message> messages = readTs(QStringLiteral(LINEARA_ENGLISH_TS));
    ASSERT_GT(messages.size(), 300u);
    for (const Message& m : messages) {
        const std::string where = (m.context + QStringLiteral(": ") + m.source).toStdString();
        EXPECT_TRUE(m.type.isEmpty()) << where << " is " << m.type.toStdString();
        EXPECT_FALSE(m.translation.isEmpty()) << where;
        EXPECT_EQ(placeholders(m.translation), placeholders(m.source)) << where;
        EXPECT_EQ(m.translation.count(QLatin1Char('&')), m.source.count(QLatin1Char('&'))) << where;
        EXPECT_EQ(m.translation.count(QLatin1Char('\t')), m.source.count(QLatin1Char('\t')))
            << where;
    }
}

// Installs the translations for `languages` for as long as it lives.
class Language {
public:
    explicit Language(const QStringList& languages, const QString& data = kBuiltData)
        : installed_(installTranslations(*qApp, languages, data)) {}
    ~Language() { removeTranslations(*qApp); }
    const LanguageChoice& installed() const { return installed_; }

private:
    LanguageChoice installed_;
};

QString firstMenuTitle() {
    TestContext t;
    StartOptions options;
    options.welcomeSwapDraw = 0;
    Application program(t.ctx, options);
    return program.mainWindow()->menuBar()->actions().value(0)->text();
}

TEST(TranslationsTest, TheMainWindowSpeaksTheUsersLanguage) {
    const QString qtCancel = QStringLiteral("Cancel");
    {
        Language english({QStringLiteral("en-US")});
        EXPECT_EQ(english.installed().program, QStringLiteral("en"));
        EXPECT_EQ(firstMenuTitle(), QStringLiteral("&File"));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtCancel);
    }
    for (const char* language : {"pl-PL", "C"}) {
        SCOPED_TRACE(language);
        Language polish({QString::fromLatin1(language)});
        EXPECT_TRUE(polish.installed().program.isEmpty());
        EXPECT_EQ(firstMenuTitle(), QStringLiteral("&Plik"));
        // Qt's own dialogs follow, not in English.
        EXPECT_EQ(polish.installed().qt, QStringLiteral("pl_PL"));
        EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtCancel);
    }
    // Qt has some languages in their country's form only, others in the
    // language's only.
    for (const char* language : {"pt-BR", "zh-TW", "de-AT"}) {
        SCOPED_TRACE(language);
        Language other({QString::fromLatin1(language)});
        EXPECT_FALSE(other.installed().qt.isEmpty());
        EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtCancel);
    }
    // Qt's own texts follow the user's language, but the keys the menus
    // show keep their names.
    for (const char* language : {"pl-PL", "de-DE", "C", "en-US"}) {
        SCOPED_TRACE(language);
        Language any({QString::fromLatin1(language)});
        for (const QKeySequence& key :
             {QKeySequence(Qt::CTRL | Qt::Key_Home), QKeySequence(Qt::Key_Left),
              QKeySequence(Qt::SHIFT | Qt::Key_F1), QKeySequence(Qt::Key_Delete)}) {
            EXPECT_EQ(key.toString(QKeySequence::NativeText).toStdString(),
                      key.toString(QKeySequence::PortableText).toStdString());
        }
    }
    EXPECT_EQ(firstMenuTitle(), QStringLiteral("&Plik"));
}

// The undo steps that count persons are put together from translated
// parts; without a translation they read exactly as the core names them.
TEST(TranslationsTest, CountedStepNamesFollowTheLanguage) {
    const std::string names[] = {step_name::moveBoxes(1), step_name::alignBoxes(3),
                                 step_name::deletePersons(12), step_name::kNewPerson};
    {
        Language english({QStringLiteral("en-US")});
        const QStringList expected = {
            QStringLiteral("moving 1 person"), QStringLiteral("aligning 3 persons"),
            QStringLiteral("deleting 12 persons"), QStringLiteral("new person")};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(stepText(names[i]), expected[i]);
    }
    Language polish({QStringLiteral("pl-PL")});
    for (const std::string& name : names) EXPECT_EQ(stepText(name).toStdString(), name);
    EXPECT_EQ(stepText("przesunięcie x osób").toStdString(), "przesunięcie x osób");
}

// Qt's translated font dialog opens on the font's own style, as the
// untranslated one does, so that OK keeps a plain font plain.
TEST(TranslationsTest, TheTranslatedFontDialogOpensOnTheFontsStyle) {
    for (const char* language : {"C", "en-US"}) {
        SCOPED_TRACE(language);
        Language dialogs({QString::fromLatin1(language)});
        for (const char* family : {"Times New Roman", "Liberation Sans"}) {
            QFont plain(QString::fromLatin1(family), 16);
            QFontDialog dialog(fontDialogStart(plain));
            EXPECT_FALSE(dialog.currentFont().bold()) << family;
            EXPECT_FALSE(dialog.currentFont().italic()) << family;
            EXPECT_EQ(dialog.currentFont().pointSize(), 16);
            QFont boldItalic = plain;
            boldItalic.setBold(true);
            boldItalic.setItalic(true);
            QFontDialog other(fontDialogStart(boldItalic));
            EXPECT_TRUE(other.currentFont().bold()) << family;
            EXPECT_TRUE(other.currentFont().italic()) << family;
        }
    }
}

// The installed program finds the translation in its data folder, found
// from its own folder.
TEST(TranslationsTest, AnInstalledProgramFindsItsTranslation) {
    TempDir root;
    const QString prefix = QString::fromStdString(root.path());
    ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/bin")));
    ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/share/lineara/translations")));
    ASSERT_TRUE(QFile::copy(kBuiltData + QStringLiteral("translations/lineara_en.qm"),
                            prefix + QStringLiteral("/share/lineara/translations/lineara_en.qm")));
    const ProgramData data =
        locateProgramData(prefix + QStringLiteral("/bin"), QStringLiteral("../share/lineara"),
                          [](const QString& p) { return QDir(p).exists(); });
    ASSERT_TRUE(data.installed);
    Language english({QStringLiteral("en-US")}, data.folder);
    EXPECT_EQ(english.installed().program, QStringLiteral("en"));
    EXPECT_EQ(firstMenuTitle(), QStringLiteral("&File"));
}

TEST(TranslationsTest, WithoutItsTranslationTheProgramKeepsItsTexts) {
    TempDir empty;
    Language english({QStringLiteral("en-US")},
                     QString::fromStdString(empty.path()) + QLatin1Char('/'));
    EXPECT_TRUE(english.installed().program.isEmpty());
    EXPECT_EQ(firstMenuTitle(), QStringLiteral("&Plik"));
}

// What the windows show, as a user reads it.
QStringList shownTexts() {
    QStringList texts;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.prepend(window);
        for (const QWidget* w : widgets) {
            texts << w->windowTitle() << w->toolTip();
            if (const auto* b = qobject_cast<const QAbstractButton*>(w)) texts << b->text();
            if (const auto* g = qobject_cast<const QGroupBox*>(w)) texts << g->title();
            if (const auto* l = qobject_cast<const QLabel*>(w)) texts << l->text();
            if (const auto* tabs = qobject_cast<const QTabWidget*>(w)) {
                for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
            }
            if (const auto* menu = qobject_cast<const QMenu*>(w)) {
                texts << menu->title();
                for (const QAction* a : menu->actions()) texts << a->text();
            }
        }
    }
    return texts;
}

// A text marked in one place and looked up in another context is left as
// written: in English, no window shows a text the translation changes.
class EnglishWindows : public ProgramFixture {
protected:
    void SetUp() override {
        english_ = std::make_unique<Language>(QStringList{QStringLiteral("en-US")});
        ProgramFixture::SetUp();
    }
    void TearDown() override {
        ProgramFixture::TearDown();
        program.reset();
        english_.reset();
    }
    std::unique_ptr<Language> english_;
};

TEST_F(EnglishWindows, NoWindowShowsAnUntranslatedText) {
    QSet<QString> translatedAway;
    for (const Message& m : readTs(QStringLiteral(LINEARA_ENGLISH_TS))) {
        if (m.translation != m.source) translatedAway.insert(m.source);
    }
    main->prepareContextMenu();
    int seen = 0;
    for (const QString& text : shownTexts()) {
        if (text.isEmpty()) continue;
        ++seen;
        EXPECT_FALSE(translatedAway.contains(text)) << text.toStdString();
    }
    EXPECT_GT(seen, 200);
}

// The questions and messages of the commands and of the core, as the user
// is asked them.
TEST_F(EnglishWindows, QuestionsAndMessagesAreEnglish) {
    t.user.asked.clear();
    main->action(QStringLiteral("Nyperson1"))->trigger();
    EXPECT_EQ(main->undoAction()->statusTip(), QStringLiteral("Undo: new person"));

    main->action(QStringLiteral("New1"))->trigger();  // Cancel, by default
    main->action(QStringLiteral("AutoArrange1"))->trigger();
    PersonList& persons = writable(main->doc());
    const PersonRecord* a = addPerson(persons, "Jan", "Kowalski", 0, 0);
    const PersonRecord* b = addPerson(persons, "Ewa", "Nowak", 300, 0);
    main->doc().setSelection(std::vector<const PersonRecord*>{a, b});
    main->action(QStringLiteral("Slettperson1"))->trigger();
    EXPECT_EQ(t.user.asked,
              (QStringList{
                  QStringLiteral("yesnocancel|Confirm|Save the changes to your tree?"),
                  QStringLiteral("yesnohelp|Lineara|This will completely rearrange all your "
                                 "items. You can undo it (Ctrl+Z). Are you sure you want to do "
                                 "this?"),
                  QStringLiteral("yesno|Confirm|Are you sure you want to delete this person?"),
              }));
}

}  // namespace
}  // namespace lineara::test
