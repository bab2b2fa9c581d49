// The document flows and the recovery keeper on their own, through fakes of the file
// service, the recovery store and the view: every decision, and a failure at each step.

#include "../support/core_fakes.h"
#include "../support/fakes.h"
#include "document/unicode_tamil.h"
#include "document/document_flows.h"
#include "document/recovery.h"

#include <QtTest>

using namespace orvane;
using namespace orvane::test;

namespace {
struct Core {
    FakeFiles files;
    FakeView view;
    FakeDialog dialog;
    FakeMessages messages;
    FakeRecoveryStore store;
    InlineWork disk;
    HeldWork later;
    Document document;
    DocumentFlows flows{document, view, dialog, messages, files};
    RecoveryKeeper recovery{document, view, messages, store, disk, later};

    // The autosave after a pause, with the copy it may start read to the end.
    void autosave()
    {
        recovery.keep();
        later.runAll();
    }

    // The user replaces `removed` bytes at `at` with the bytes, as the box reports it.
    void edit(std::size_t at, std::size_t removed, const std::string& bytes)
    {
        view.text.replace(at, removed, bytes);
        document.markDocumentChanged();
        recovery.noteEdit(at, removed, bytes.size(), bytes);
    }

    // What a run that ended now would leave for the next: this run's file and journal.
    void leaveFor(Core& next, const std::string& orphan) const
    {
        next.store.orphans[orphan] = store.own;
        next.store.orphanJournals[orphan] = store.journal;
    }

    // A document of that name, read from its file and typed into since.
    void openTyped(const std::string& path, const std::string& text)
    {
        files.put(path, text + "\r\n");
        flows.openAtStartUp('"' + path + '"');
        view.text = text;
        document.setDocumentChanged(true);
    }

    bool askedAbout(MessageId id) const
    {
        return std::any_of(messages.asked.begin(), messages.asked.end(), [id](const auto& q) { return q.message.id == id; });
    }
};

    // A run that ends now leaves its file and journal; the next one restores them.
std::string restoredInNextRun(const Core& core, std::vector<Message>* warnings = nullptr)
    {
        Core next;
        core.leaveFor(next, "7-7-7");
        next.messages.answers = {Answer::Yes};
        if (!next.recovery.offerRestore())
            return "<not restored>";
        if (warnings)
            *warnings = next.messages.warnings;
        return next.view.text;
    }

std::string manyLines(std::size_t lines)
{
    std::string text;
    text.reserve(lines * 2);
    for (std::size_t n = 1; n < lines; ++n)
        text += "\r\n";
    return text;
}
} // namespace

class TestFlows : public QObject {
    Q_OBJECT
private slots:
    void theRecoveryFileKeepsTheWholeFormat()
    {
        RecoveryRecord record{"/d/news.txt", {}, {true, 1, 2, 3, 4, 5, 1, true}, "tzf;fk;\r\nf"};
        record.format = {DocumentFormat::Unicode, true, DocumentFormat::Cr, false};
        RecoveryFault fault = RecoveryFault::NotOurs;
        const auto back = parseRecovery(recoveryBytes(record), fault);
        QVERIFY(back);
        QVERIFY(back->format == record.format);
        QCOMPARE(back->onDisk.changedNs, std::int64_t(5));
        QCOMPARE(back->text, record.text);

        // The first version's files still read; they said nothing of the last line end.
        const std::string first = "Orvane recovery 1\nname 10\n/d/old.txt\nformat 16\nunicode bom crlf\n"
                                  "disk 12\n1 2 3 4000 1\ntext 5\nf\r\nkh\ncheck 59ae990e\n";
        const auto old = parseRecovery(first, fault);
        QVERIFY(old);
        QCOMPARE(old->text, std::string("f\r\nkh"));
        QVERIFY(old->format.lineEnd == DocumentFormat::CrLf && old->format.byteOrderMark && old->format.finalLineEnd);
        QCOMPARE(old->onDisk.modifiedNs, std::int64_t(4000));
    }

    void aLengthBeyondTheFileIsDamageNotARead()
    {
        // A valid checksum over a length field of 2^64 - 1.
        RecoveryFault fault = RecoveryFault::None;
        QVERIFY(!parseRecovery("Orvane recovery 2\nname 20\n18446744073709551615\nformat 3\ntam\ndisk 0\n\n"
                               "text 18446744073709551615\nabc\ncheck d679c22a\n",
                               fault));
        QVERIFY(fault == RecoveryFault::Damaged);
    }

    void aNewerRecoveryFileIsLeftWhereItIs()
    {
        Core core;
        core.store.orphans["9-9-9"] = "Orvane recovery 4\nwhatever comes next\n";
        QVERIFY(!core.recovery.offerRestore());
        QCOMPARE(core.messages.warnings.size(), 1u);
        QVERIFY(core.messages.warnings[0].id == MessageId::RestoreRefused);
        QVERIFY(mentions(core.messages.warnings[0], "newer"));
        QVERIFY(core.store.setAside.empty());
        QVERIFY(core.store.released.count("9-9-9"));
    }

    void aStoppedRestoreLeavesTheDocumentAndTheRecoveryFile()
    {
        Core core;
        core.files.put("/d/doc.tam", "tzf;fk;\r\n");
        core.flows.openAtStartUp("\"/d/doc.tam\"");
        core.store.orphans["1-1-1"] = recoveryBytes({"/d/other.tam", {}, {}, std::string(3 << 20, 'f')});
        core.messages.answers = {Answer::Yes};
        core.view.stopLoads = true;
        QVERIFY(!core.recovery.offerRestore());
        QCOMPARE(core.view.text, std::string("tzf;fk;"));
        QCOMPARE(core.document.DocumentFileName(), std::string("/d/doc.tam"));
        QVERIFY(!core.document.DocumentChanged());
        QVERIFY(core.store.released.count("1-1-1") && core.store.orphans.count("1-1-1"));
        // Typed on and saved, the document's own file gets its own text.
        core.view.text = "ftzf;fk;";
        core.document.setDocumentChanged(true);
        QVERIFY(core.flows.SaveDocument());
        QCOMPARE(core.files.bytesAt("/d/doc.tam"), std::string("ftzf;fk;\r\n"));
    }

    void aRestoreTheWindowCannotHoldIsRefusedAndKept()
    {
        Core core;
        core.view.text = "mine";
        core.store.orphans["1-1-1"] = recoveryBytes({"/d/lines.tam", {}, {}, manyLines(MaxDocumentLines + 1)});
        core.messages.answers = {Answer::Yes};
        QVERIFY(!core.recovery.offerRestore());
        QCOMPARE(core.messages.warnings.size(), 1u);
        QVERIFY(core.messages.warnings[0].id == MessageId::RestoreRefused);
        QVERIFY(mentions(core.messages.warnings[0], "/1-1-1.recovery"));
        QCOMPARE(core.view.text, std::string("mine"));
        QVERIFY(core.store.orphans.count("1-1-1"));
    }

    void anAutosaveWithoutMemorySaysSoOnceAndTypingGoesOn()
    {
        Core core;
        core.view.text = "f";
        core.document.setDocumentChanged(true);
        core.view.outOfMemory = true;
        core.autosave();
        core.autosave();
        QCOMPARE(core.messages.warnings.size(), 1u);
        QVERIFY(core.messages.warnings[0].id == MessageId::RecoveryUnwritable);
        QVERIFY(mentions(core.messages.warnings[0], "not enough memory"));
        core.view.outOfMemory = false;
        core.autosave();
        QVERIFY(core.store.ownExists);
    }

    void anAutosaveWritesWhatChangedAndARestoreMakesTheEditsAgain()
    {
        Core core;
        std::string text;
        for (int line = 0; line < 4000; ++line)
            text += "tzf;fk; " + std::to_string(line) + "\r\n";
        core.openTyped("/d/long.tam", text);
        core.autosave();  // the first: a whole copy
        const std::size_t whole = core.store.bytesWritten;
        QVERIFY(whole > text.size());

        core.edit(0, 0, "f");
        core.edit(text.size() / 2, 3, "");
        core.edit(core.view.text.size(), 0, "\r\nkU");
        core.autosave();
        QVERIFY(core.store.bytesWritten - whole < 200);  // the edits, not the text
        QCOMPARE(restoredInNextRun(core), core.view.text);

        // Past its limit the journal starts again from a whole copy.
        core.recovery.setJournalLimit(300);
        for (int n = 0; n < 10; ++n)
            core.edit(10 * std::size_t(n), 1, "jk");
        core.autosave();
        QVERIFY(core.store.journal.empty() || core.store.journal.size() < 300);
        QCOMPARE(restoredInNextRun(core), core.view.text);
    }

    void editsMadeWhileTheCopyIsReadAreKept()
    {
        Core core;
        std::string text;
        for (int line = 0; line < 40000; ++line)
            text += "vaOak" + std::to_string(line % 10) + "\r\n";  // 320 KB: the copy takes two slices
        core.openTyped("/d/big.tam", text);
        core.recovery.keep();
        core.later.runOne();  // the first slice is read
        QVERIFY(!core.store.ownExists);
        core.edit(5, 2, "xyz");                            // in what was read
        core.edit(core.view.text.size() - 4, 0, "end");     // in what was not
        core.later.runAll();
        QCOMPARE(restoredInNextRun(core), core.view.text);

        // An edit reaching across the place the copy has come to reads it again.
        core.recovery.setJournalLimit(1);
        core.edit(7, 0, "k");
        core.recovery.keep();
        core.later.runOne();
        core.edit(200000, 100000, "cut");
        core.later.runAll();
        core.edit(3, 0, "after");
        core.autosave();
        QCOMPARE(restoredInNextRun(core), core.view.text);
    }

    void aJournalReadInPartRestoresWhatItCanAndSaysSo()
    {
        Core core;
        core.openTyped("/d/j.tam", "tzf;fk;");
        core.autosave();
        core.edit(0, 0, "vd;");
        core.autosave();
        const std::string firstEdit = core.view.text;
        core.edit(3, 0, "kW");
        core.autosave();
        const std::size_t secondAt = core.store.journal.rfind("edit ");

        // Cut short in the second edit: the first is made, and the user is told.
        Core cut ;
        cut.store.own = core.store.own;
        cut.store.journal = core.store.journal.substr(0, secondAt + 8);
        std::vector<Message> warnings;
        QCOMPARE(restoredInNextRun(cut, &warnings), firstEdit);
        QCOMPARE(warnings.size(), 1u);
        QVERIFY(warnings[0].id == MessageId::RestoredInPart);
        QVERIFY(mentions(warnings[0], "/d/j.tam"));

        // Cut inside its header, by a torn first write: the copy comes back, and is said to be
        // only part of the work.
        Core torn;
        torn.store.own = core.store.own;
        torn.store.journal = core.store.journal.substr(0, 20);
        QCOMPARE(restoredInNextRun(torn, &warnings), std::string("tzf;fk;"));
        QCOMPARE(warnings.size(), 1u);
        QVERIFY(warnings[0].id == MessageId::RestoredInPart);

        // A changed byte is told from a good edit the same way.
        Core flipped ;
        flipped.store.own = core.store.own;
        flipped.store.journal = core.store.journal;
        flipped.store.journal[secondAt + 14] ^= 1;
        QCOMPARE(restoredInNextRun(flipped, &warnings), firstEdit);
        QCOMPARE(warnings.size(), 1u);

        // The journal of a copy before this one holds nothing this copy lacks.
        Core older ;
        older.store.own = core.store.own;
        older.store.journal = journalHead("0123456789abcdef") + journalEntry({0, 0, 1, "x"});
        QCOMPARE(restoredInNextRun(older, &warnings), std::string("tzf;fk;"));
        QVERIFY(warnings.empty());
    }

    void aDiskThatFillsInTheJournalIsToldOnceAndTheNextCopyIsWhole()
    {
        Core core;
        core.openTyped("/d/full.tam", "tzf;fk;");
        core.autosave();
        core.store.writesLeft = 0;
        core.edit(0, 0, "kW");
        core.autosave();
        core.edit(0, 0, "f");
        core.autosave();
        QCOMPARE(core.messages.warnings.size(), 1u);
        QVERIFY(core.messages.warnings[0].id == MessageId::RecoveryUnwritable);
        QVERIFY(mentions(core.messages.warnings[0], "No space left"));

        core.store.writesLeft = std::size_t(-1);
        core.edit(1, 0, "j");
        core.autosave();
        QCOMPARE(restoredInNextRun(core), core.view.text);
    }

    void aRestoredUnicodeDocumentSavesAsItsFileWas()
    {
        Core core;
        RecoveryRecord record{"/d/news.txt", {DocumentFormat::Unicode, false, DocumentFormat::Cr, false}, {}, "f\r\nk"};
        core.store.orphans["1-1-1"] = recoveryBytes(record);
        core.messages.answers = {Answer::Yes};
        QVERIFY(core.recovery.offerRestore());
        QVERIFY(core.store.discarded.count("1-1-1"));
        QVERIFY(core.flows.SaveDocument());
        QCOMPARE(core.files.bytesAt("/d/news.txt"), std::string("\u0b95\r\u0bae"));
    }

    // A word processor's document opens as its text, a Unicode document with no name: Save
    // asks, offering NAME.txt, and never writes over the document; one that cannot be read
    // is said and leaves the open document as it was.
    void aWordDocumentOpensAsItsTextAndSaveAsksForAName()
    {
        struct Importer final : DocumentImporter {
            std::optional<std::string> importText(std::string_view bytes, std::string& error) override
            {
                if (bytes.starts_with("BAD"))
                    error = "it is damaged";
                if (!bytes.starts_with("DOCX"))
                    return std::nullopt;
                return std::string(bytes.substr(4));
            }
        } importer;
        Core core;
        core.flows.setImporter(&importer);
        core.openTyped("/d/open.tam", "f");
        core.files.put("/d/bad.docx", "BAD");
        core.document.setDocumentChanged(false);
        core.flows.openFile("/d/bad.docx");
        QCOMPARE(core.messages.warnings.back().id, MessageId::OpenFailed);
        QVERIFY(mentions(core.messages.warnings.back(), "it is damaged"));
        QCOMPARE(core.document.DocumentFileName(), std::string("/d/open.tam"));
        core.files.put("/d/letter.docx", "DOCX\u0bb5\u0ba3\u0b95\u0bcd\u0b95\u0bae\u0bcd Hello\n\u0ba8\u0ba9\u0bcd\u0bb1\u0bbf");
        core.flows.openAtStartUp("\"/d/letter.docx\"");
        QCOMPARE(core.view.text, std::string("tzf;fk; \x0EHello\x0F\r\ned;wp"));
        QVERIFY(core.document.DocumentFileName().empty());
        QCOMPARE(core.view.notes.back().id, MessageId::DocumentImported);
        core.document.setDocumentChanged(true);
        core.dialog.answers = {"/d/letter.txt"};
        core.dialog.filters = {1};
        QVERIFY(core.flows.SaveDocument());
        QCOMPARE(core.dialog.shown.back().offered, std::string("/d/letter.txt"));
        QCOMPARE(core.files.bytesAt("/d/letter.txt"), std::string("\u0bb5\u0ba3\u0b95\u0bcd\u0b95\u0bae\u0bcd Hello\n\u0ba8\u0ba9\u0bcd\u0bb1\u0bbf\n"));
        QVERIFY(core.files.bytesAt("/d/letter.docx").starts_with("DOCX"));
    }

    // Syllables Bamini has no letter for lose their vowel sign: asked before the text is in.
    void aUnicodeFileWithSyllablesBaminiCannotDrawAsksFirst()
    {
        Core core;
        core.files.put("/d/q.txt", "\u0b9e\u0bc1 \u0bb1\u0bc2\n");  // ஞு றூ
        core.messages.answers = {Answer::No};
        core.flows.openAtStartUp("\"/d/q.txt\"");
        QVERIFY(core.askedAbout(MessageId::UnicodeDrawnAs));
        QCOMPARE(core.messages.asked.back().message.args.at(1), std::string("1"));
        QVERIFY(core.document.DocumentFileName().empty());
        core.messages.answers = {Answer::Yes};
        core.flows.openAtStartUp("\"/d/q.txt\"");
        QCOMPARE(core.document.DocumentFileName(), std::string("/d/q.txt"));
        QCOMPARE(core.view.text, std::string("Q W}"));
    }

    void exportsAskBeforeReplacingTheNameTheyAddTheirEndingTo()
    {
        Core core;
        core.openTyped("/d/notes.tam", "f");
        core.files.put("/d/notes.txt", "keep");
        core.files.put("/d/report.pdf", "keep");
        core.dialog.answers = {"/d/notes"};
        core.messages.answers = {Answer::No};
        QVERIFY(!core.flows.ExportUnicode());
        QCOMPARE(core.files.bytesAt("/d/notes.txt"), std::string("keep"));
        QVERIFY(core.askedAbout(MessageId::ReplaceExisting));
        QCOMPARE(core.dialog.shown.back().offered, std::string("/d/notes.txt"));

        core.dialog.answers = {"/d/report"};
        core.messages.answers = {Answer::No};
        QVERIFY(!core.flows.askExportName(PdfFilter, ".pdf", "Export as PDF"));
        core.dialog.answers = {"/d/report"};
        core.messages.answers = {Answer::Yes};
        QCOMPARE(core.flows.askExportName(PdfFilter, ".pdf", "Export as PDF"), std::optional<std::string>("/d/report.pdf"));
        QCOMPARE(core.dialog.shown.back().title, std::string("Export as PDF"));  // never "Save As"

        // A name that is there already (as /dev/full is) the dialog asked about: it is the one
        // written, never another the user did not see.
        core.files.put("/dev/full", "");
        core.dialog.answers = {"/dev/full"};
        const std::size_t asked = core.messages.asked.size();
        QCOMPARE(core.flows.askExportName(PdfFilter, ".pdf", "Export as PDF"), std::optional<std::string>("/dev/full"));
        QCOMPARE(core.messages.asked.size(), asked);
    }

    void saveAsOntoAFileWithOtherNamesAsksFirst()
    {
        Core core;
        core.openTyped("/d/a.tam", "f");
        core.files.put("/d/linked.tam", "old\r\n", 2);
        core.dialog.answers = {"/d/linked.tam"};
        core.messages.answers = {Answer::Cancel};
        QVERIFY(!core.flows.SaveAs());
        QCOMPARE(core.files.bytesAt("/d/linked.tam"), std::string("old\r\n"));
        QVERIFY(core.askedAbout(MessageId::HardLinks));

        core.dialog.answers = {"/d/linked.tam"};
        core.messages.answers = {Answer::Yes};
        QVERIFY(core.flows.SaveAs());
        QVERIFY(core.files.writes.back().options.inPlace);
        QCOMPARE(core.files.identify("/d/linked.tam").links, std::uint64_t(2));
    }

    void aSaveTheWindowCouldNotOpenAgainAsksFirst()
    {
        Core core;
        core.openTyped("/d/lines.tam", "f");
        core.view.text = manyLines(MaxDocumentLines + 1);
        core.messages.answers = {Answer::No};
        QVERIFY(!core.flows.SaveDocument());
        QVERIFY(core.askedAbout(MessageId::OverLineLimitOnSave));
        QCOMPARE(core.files.bytesAt("/d/lines.tam"), std::string("f\r\n"));
        QVERIFY(core.document.DocumentChanged());
    }

    void aNameFromTheCommandLineIsKeptFromTheRoot()
    {
        Core core;
        core.files.put("/home/user/letters/letter.tam", "f\r\n");
        core.flows.openAtStartUp("\"letter.tam\"");
        QCOMPARE(core.document.DocumentFileName(), std::string("/home/user/letters/letter.tam"));
        QCOMPARE(core.view.text, std::string("f"));
        core.autosave();  // unchanged: nothing kept
        QVERIFY(!core.store.ownExists);
        core.document.setDocumentChanged(true);
        core.autosave();
        RecoveryFault fault;
        QCOMPARE(parseRecovery(core.store.own, fault)->fileName, std::string("/home/user/letters/letter.tam"));
    }

    void aFileWhoseTimesWereSetBackIsStillSeenChanged()
    {
        Core core;
        core.files.put("/d/a.tam", "ab\r\n");
        core.flows.openAtStartUp("\"/d/a.tam\"");
        // Same size and modification time, as touch -r leaves them; the change time moved.
        core.files.files["/d/a.tam"].bytes = "cd\r\n";
        core.files.files["/d/a.tam"].identity.changedNs += 1;
        core.messages.answers = {Answer::Yes};
        core.flows.checkFileOnDisk();
        QVERIFY(core.askedAbout(MessageId::ReloadChanged));
        QCOMPARE(core.view.text, std::string("cd"));
    }

    // chmod, or a new hard link, moves the change time alone: the bytes are the same, and
    // neither a save nor a look at the file takes that for another program's change.
    // orvane new-notice.docx: a name that promises a word processor's document is not
    // written as Bamini text unasked; the dialog offers the document's own ending.
    void aNameOfAnotherFormatAsksFirst()
    {
        Core core;
        core.flows.openAtStartUp("\"/d/new-notice.docx\"");
        core.view.text = "f";
        core.document.markDocumentChanged();
        QVERIFY(!core.flows.SaveDocument());  // the dialog cancelled
        QCOMPARE(core.dialog.shown.size(), 1u);
        QCOMPARE(core.dialog.shown[0].offered, std::string("/d/new-notice.tam"));
        QCOMPARE(core.files.bytesAt("/d/new-notice.docx"), std::string("<missing>"));
        core.dialog.answers = {"/d/new-notice.tam"};
        QVERIFY(core.flows.SaveDocument());
        QCOMPARE(core.files.bytesAt("/d/new-notice.tam"), std::string("f\r\n"));
    }

    void aChangeOfTheInodeAloneIsNoChange()
    {
        Core core;
        core.files.put("/d/a.tam", "ab\r\n");
        core.flows.openAtStartUp("\"/d/a.tam\"");
        core.files.files["/d/a.tam"].identity.changedNs += 1;
        core.flows.checkFileOnDisk();
        QVERIFY(core.messages.asked.empty());
        core.view.text = "abc";
        core.document.markDocumentChanged();
        QVERIFY(core.flows.SaveDocument());
        QVERIFY(core.messages.asked.empty());
        // And after Orvane's own save, the same.
        core.files.files["/d/a.tam"].identity.changedNs += 1;
        core.view.text = "abcd";
        core.document.markDocumentChanged();
        QVERIFY(core.flows.SaveDocument());
        QVERIFY(core.messages.asked.empty());
        QCOMPARE(core.files.bytesAt("/d/a.tam"), std::string("abcd\r\n"));
    }
};


// The decisions of Save, Save As, New, Open, the start-up open and leaving, with every
// answer and a failure at each step.
class TestFlowDecisions : public QObject {
    Q_OBJECT
private slots:
    void saveAsksForANameOnceAndAddsTheEnding_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("ab") << "/d/ab" << "/d/ab.tam";
        QTest::newRow("ab.tam") << "/d/ab.tam" << "/d/ab.tam";
        QTest::newRow("letter.TAM") << "/d/letter.TAM" << "/d/letter.TAM.tam";
    }

    void saveAsksForANameOnceAndAddsTheEnding()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        Core core;
        core.flows.openAtStartUp("");
        QCOMPARE(core.view.caption, std::string("Orvane [ Untitled.tam ]"));
        QVERIFY(core.flows.SaveDocument());  // unchanged: nothing asked, nothing written
        QVERIFY(core.dialog.shown.empty() && core.files.writes.empty());

        core.view.text = "m";
        core.document.markDocumentChanged();
        core.dialog.answers = {chosen.toStdString()};
        QVERIFY(core.flows.SaveDocument());
        QCOMPARE(core.dialog.shown.size(), 1u);
        QCOMPARE(core.dialog.shown[0].filter, std::string("Tamil Text File  (*.tam)| *.tam"));
        QCOMPARE(core.dialog.shown[0].offered, std::string("Untitled.tam"));
        QCOMPARE(core.files.bytesAt(written.toStdString()), std::string("m\r\n"));
        QCOMPARE(core.view.caption, "Orvane [ " + written.toStdString() + " ]");
        QVERIFY(!core.document.DocumentChanged());

        core.view.text = "mf";
        core.document.markDocumentChanged();
        QVERIFY(core.flows.SaveDocument());  // the known name: no dialog
        QCOMPARE(core.dialog.shown.size(), 1u);
        QCOMPARE(core.files.bytesAt(written.toStdString()), std::string("mf\r\n"));
        QVERIFY(core.view.focused > 0);
    }

    void anEmptyTextAndTheClosingLineEnd()
    {
        Core core;
        core.document.markDocumentChanged();
        core.dialog.answers = {"/d/empty.tam"};
        QVERIFY(core.flows.SaveDocument());
        QCOMPARE(core.files.bytesAt("/d/empty.tam"), std::string("\r\n"));
        QVERIFY(core.flows.openFile("/d/empty.tam") == Decision::GoOn);
        QCOMPARE(core.view.text, std::string());  // the closing line end adds no line
        core.view.text = "A";
        core.dialog.answers = {"/d/a.tam"};
        QVERIFY(core.flows.SaveAs());
        QCOMPARE(core.files.bytesAt("/d/a.tam"), std::string("A\r\n"));
        QVERIFY(core.flows.openFile("/d/a.tam") == Decision::GoOn);
        QCOMPARE(core.view.text, std::string("A"));
    }

    void saveAsAsksAboutTheNameItWritesAndKeepsTheOldOneWhenCancelled()
    {
        Core core;
        core.openTyped("/d/d.tam", "fabc");
        core.files.put("/d/poem.tam", "old\r\n");
        QVERIFY(!core.flows.SaveAs());  // cancelled: the document keeps its file
        QCOMPARE(core.dialog.shown.back().offered, std::string("/d/d.tam"));  // its own name, offered
        QCOMPARE(core.document.DocumentFileName(), std::string("/d/d.tam"));
        QVERIFY(core.document.DocumentChanged());

        core.dialog.answers = {"/d/poem"};  // the dialog asked about "poem"; poem.tam exists
        core.messages.answers = {Answer::No};
        QVERIFY(!core.flows.SaveAs());
        QVERIFY(core.askedAbout(MessageId::ReplaceExisting));
        QVERIFY(mentions(core.messages.asked.back().message, "/d/poem.tam"));
        QCOMPARE(core.files.bytesAt("/d/poem.tam"), std::string("old\r\n"));
        QCOMPARE(core.document.DocumentFileName(), std::string("/d/d.tam"));

        core.dialog.answers = {"/d/poem"};
        core.messages.answers = {Answer::Yes};
        QVERIFY(core.flows.SaveAs());
        QCOMPARE(core.files.bytesAt("/d/poem.tam"), std::string("fabc\r\n"));
        QCOMPARE(core.document.DocumentFileName(), std::string("/d/poem.tam"));
        QCOMPARE(core.files.bytesAt("/d/d.tam"), std::string("fabc\r\n"));  // the old file as it was read
    }

    void anotherProgramsChangeIsNeverOverwrittenUnasked()
    {
        Core core;
        core.openTyped("/d/d.tam", "fabc");
        core.files.put("/d/d.tam", "theirs\r\n");  // a second writer, while the text is unsaved
        core.files.files["/d/d.tam"].identity.inode = core.document.onDisk().inode;
        core.messages.answers = {Answer::No};
        QVERIFY(!core.flows.SaveDocument());
        QCOMPARE(core.messages.asked.size(), 1u);
        QVERIFY(core.messages.asked[0].message.id == MessageId::ChangedOnDisk);
        QCOMPARE(core.files.bytesAt("/d/d.tam"), std::string("theirs\r\n"));
        QVERIFY(core.document.DocumentChanged());
        core.messages.answers = {Answer::Yes};
        QVERIFY(core.flows.SaveDocument());
        QCOMPARE(core.files.bytesAt("/d/d.tam"), std::string("fabc\r\n"));
        core.document.markDocumentChanged();
        QVERIFY(core.flows.SaveDocument());  // written by Orvane itself: nothing to ask
        QCOMPARE(core.messages.asked.size(), 2u);
    }

    void aFailedSaveSaysWhyAndKeepsTheChanges()
    {
        Core core;
        core.openTyped("/d/d.tam", "fabc");
        core.files.failWrites["/d/d.tam"] = "No space left on device";
        QVERIFY(!core.flows.SaveDocument());
        QCOMPARE(core.messages.warnings.size(), 1u);
        QVERIFY(core.messages.warnings[0].id == MessageId::SaveFailed);
        QVERIFY(mentions(core.messages.warnings[0], "No space left on device"));
        QVERIFY(core.document.DocumentChanged());
        QCOMPARE(core.files.bytesAt("/d/d.tam"), std::string("fabc\r\n"));  // as openTyped put it

        // Leaving asks; Yes, and the save fails again: the program stays with the text.
        core.messages.answers = {Answer::Yes};
        QVERIFY(core.flows.Form_Unload() == Decision::Stay);
        core.messages.answers = {Answer::Yes};
        QVERIFY(core.flows.NewDocument() == Decision::Stay);
        QCOMPARE(core.view.text, std::string("fabc"));
    }

    void newAsksOnlyAboutChangesAndCannotBeTalkedOutOfClearing()
    {
        Core core;
        QVERIFY(core.flows.NewDocument() == Decision::GoOn);  // unchanged: no question
        QVERIFY(core.messages.asked.empty());
        QCOMPARE(core.view.caption, std::string());  // the name did not change: nor the caption

        core.openTyped("/d/n.tam", "fabc");
        core.messages.answers = {Answer::Yes};
        QVERIFY(core.flows.NewDocument() == Decision::GoOn);
        QVERIFY(core.messages.asked[0].message.id == MessageId::UnsavedPrompt);
        QVERIFY(core.messages.asked[0].buttons == Buttons::YesNo);
        QCOMPARE(core.files.bytesAt("/d/n.tam"), std::string("fabc\r\n"));
        QCOMPARE(core.view.text, std::string());
        QVERIFY(core.document.DocumentFileName().empty() && !core.document.DocumentChanged());
        QCOMPARE(core.view.caption, std::string("Orvane [ Untitled.tam ]"));

        core.view.text = "f";  // Yes, then the save dialog cancelled: the text stays
        core.document.markDocumentChanged();
        core.messages.answers = {Answer::Yes};
        QVERIFY(core.flows.NewDocument() == Decision::Stay);
        QCOMPARE(core.view.text, std::string("f"));
        QVERIFY(core.document.DocumentChanged());

        core.messages.answers = {Answer::No};
        QVERIFY(core.flows.NewDocument() == Decision::GoOn);
        QCOMPARE(core.view.text, std::string());
        QVERIFY(!core.document.DocumentChanged());
    }

    void openAsksFirstAndKeepsTheDocumentWhenItCannot()
    {
        Core core;
        core.files.put("/d/ab.tam", "A\r\nB");
        core.view.text = "f";
        core.document.markDocumentChanged();
        core.messages.answers = {Answer::Cancel};
        QVERIFY(core.flows.OpenDocument() == Decision::Stay);
        QCOMPARE(core.messages.asked.back().buttons, Buttons::YesNoCancel);
        QVERIFY(core.dialog.shown.empty());

        core.messages.answers = {Answer::Yes};  // Yes, and the save dialog cancelled: no open
        QVERIFY(core.flows.OpenDocument() == Decision::Stay);
        QCOMPARE(core.dialog.shown.size(), 1u);
        QVERIFY(core.dialog.shown[0].saving);
        QCOMPARE(core.view.text, std::string("f"));

        core.messages.answers = {Answer::No};
        core.dialog.answers = {"/d/ab.tam"};
        core.flows.OpenDocument();
        QVERIFY(core.dialog.shown.back().filter.starts_with("All documents (*.tam *.txt *.docx *.odt *.rtf *.pdf)| "));
        QVERIFY(core.dialog.shown.back().filter.ends_with("|All Files (*.*) | *.*"));
        QCOMPARE(core.view.text, std::string("A\r\nB"));
        QCOMPARE(core.view.caption, std::string("Orvane [ /d/ab.tam ]"));
        QVERIFY(!core.document.DocumentChanged());

        core.flows.OpenDocument();  // cancelled: everything stays
        QCOMPARE(core.document.DocumentFileName(), std::string("/d/ab.tam"));
        core.dialog.answers = {"/d/missing.tam"};
        core.flows.OpenDocument();
        QCOMPARE(core.messages.warnings.size(), 1u);
        QVERIFY(mentions(core.messages.warnings[0], "/d/missing.tam"));
        QCOMPARE(core.view.text, std::string("A\r\nB"));
        QCOMPARE(core.document.DocumentFileName(), std::string("/d/ab.tam"));
    }

    void openingUnicodeKeepsWhatNoCodeMeans()
    {
        Core core;
        core.files.put("/d/mixed.txt", "\u0ba8\u0ba9\u0bcd\u0bb1\u0bbf \U0001F600\n");
        QVERIFY(core.flows.openFile("/d/mixed.txt") == Decision::GoOn);
        QVERIFY(core.messages.asked.empty());
        QCOMPARE(core.view.text, std::string("ed;wp \x0E\xF0\x9F\x98\x80\x0F"));
        QVERIFY(core.document.format().kind == DocumentFormat::Unicode);
        QCOMPARE(core.view.notes.size(), 1u);
        QCOMPARE(core.view.notes.back().id, MessageId::UnicodeOpened);
    }

    // Open, edit, undo the edit, save: the file as it was, also where Bamini draws two texts
    // alike (ெ + ள and ௌ) and its lines end three ways; an edited line alone is written anew.
    void saveWritesTheUneditedLinesAsTheFileHadThem()
    {
        Core core;
        const std::string file = "\u0b95\u0bc6\u0bb3\r\n\u0b92\u0bb3\n\u0b95\uFEFF\r";
        core.files.put("/d/au.txt", file);
        QVERIFY(core.flows.openFile("/d/au.txt") == Decision::GoOn);
        const std::string read = core.view.text;
        core.edit(0, 0, "f");
        core.edit(0, 1, "");
        QVERIFY(core.flows.SaveDocument());
        QCOMPARE(core.files.bytesAt("/d/au.txt"), file);
        core.edit(read.size(), 0, "k");  // the last line: ம after it, written anew
        QVERIFY(core.flows.SaveDocument());
        QCOMPARE(core.files.bytesAt("/d/au.txt"), std::string("\u0b95\u0bc6\u0bb3\r\n\u0b92\u0bb3\n\u0b95\uFEFF\u0bae\r"));
    }

    // Plain text that lost its fonts: an English letter in a .txt opens as English; a .tam
    // file stays codes whatever it reads as, and one whose words read as English offers, once,
    // to keep them as English, which makes it Unicode text (saved as .txt) in one edit.
    void englishInPlainTextIsKeptAsEnglish()
    {
        Core core;
        core.files.put("/d/letter.txt", "Dear Sir,\nThank you for your letter of the 5th.\n");
        QVERIFY(core.flows.openFile("/d/letter.txt") == Decision::GoOn);
        QVERIFY(core.document.format().kind == DocumentFormat::Unicode);
        QCOMPARE(baminiToUnicode(core.view.text), std::string("Dear Sir,\nThank you for your letter of the 5th."));
        core.files.put("/d/bamini.txt", "tzf;fk; jkpo;\n");
        QVERIFY(core.flows.openFile("/d/bamini.txt") == Decision::GoOn);
        QVERIFY(core.document.format().kind == DocumentFormat::Tam);
        QVERIFY(core.view.notes.back().id != MessageId::EnglishInTamil);

        core.files.put("/d/form.tam", "fy;Y}hpapd; ngah; Name of the College\r\n");
        QVERIFY(core.flows.openFile("/d/form.tam") == Decision::GoOn);
        QVERIFY(core.document.format().kind == DocumentFormat::Tam);
        QCOMPARE(core.view.notes.back().id, MessageId::EnglishInTamil);
        QCOMPARE(core.view.notes.back().args[0], std::string("4"));
        QCOMPARE(core.flows.KeepEnglishAsEnglish(), std::size_t(4));
        QCOMPARE(core.view.text, std::string("fy;Y}hpapd; ngah; \x0EName of the College\x0F"));
        QCOMPARE(core.view.edits, 1);  // the user's edit, which the journal keeps
        QVERIFY(core.document.format().kind == DocumentFormat::Unicode && core.document.DocumentChanged());
        QCOMPARE(core.view.notes.back().args[1], std::string("form.txt"));
        QCOMPARE(core.flows.KeepEnglishAsEnglish(), std::size_t(0));
        QCOMPARE(core.view.notes.back().id, MessageId::NoEnglishFound);
    }

    void aStoppedOpenKeepsNoneOfTheFile()
    {
        Core core;
        std::string big;
        while (big.size() < (3 << 20))
            big += "fhfp kf;fs\r\n";
        core.files.put("/d/big.tam", big);
        core.view.stopLoads = true;
        core.flows.openFile("/d/big.tam");
        QCOMPARE(core.view.text, std::string());
        QVERIFY(core.document.DocumentFileName().empty() && !core.document.DocumentChanged());
        QCOMPARE(core.view.notes.size(), 1u);
        QCOMPARE(core.view.notes.back().id, MessageId::OpenStopped);
    }

    void theStartUpOpen()
    {
        Core core;
        core.files.put("/d/two lines.tam", "ab\r\ncd");
        core.flows.openAtStartUp("\"/d/two lines.tam\"");
        QCOMPARE(core.view.text, std::string("ab\r\ncd"));
        QCOMPARE(core.view.caption, std::string("Orvane [ /d/two lines.tam ]"));
        QVERIFY(!core.document.DocumentChanged());

        // A file that does not exist yet: an empty document that the first save creates.
        Core fresh;
        fresh.flows.openAtStartUp("\"/d/new.tam\"");
        QCOMPARE(fresh.view.caption, std::string("Orvane [ /d/new.tam ]"));
        fresh.view.text = "m";
        fresh.document.markDocumentChanged();
        QVERIFY(fresh.flows.SaveDocument());
        QVERIFY(fresh.dialog.shown.empty());
        QCOMPARE(fresh.files.bytesAt("/d/new.tam"), std::string("m\r\n"));

        // One that cannot be read: a message, then the untitled document.
        Core failed;
        failed.files.put("/d/big.tam", std::string(MaxDocumentBytes + 1, 'f'));
        failed.flows.openAtStartUp("\"/d/big.tam\"");  // large: read once the window stands
        failed.flows.openPending();
        QCOMPARE(failed.messages.warnings.size(), 1u);
        QVERIFY(failed.document.DocumentFileName().empty());
        QCOMPARE(failed.view.caption, std::string("Orvane [ Untitled.tam ]"));
    }

    void leavingAsksOnlyAboutChangesOrAVanishedFile()
    {
        Core core;
        QVERIFY(core.flows.Form_Unload() == Decision::GoOn);
        QVERIFY(core.messages.asked.empty());

        core.openTyped("/d/d.tam", "fabc");
        core.messages.answers = {Answer::Cancel};
        QVERIFY(core.flows.Form_Unload() == Decision::Stay);
        QCOMPARE(core.messages.asked.back().buttons, Buttons::YesNoCancel);
        core.messages.answers = {Answer::No};
        QVERIFY(core.flows.Form_Unload() == Decision::GoOn);
        core.messages.answers = {Answer::Yes};
        QVERIFY(core.flows.Form_Unload() == Decision::GoOn);
        QVERIFY(!core.document.DocumentChanged());

        // Nothing unsaved, but the file is gone: the text is the only copy.
        core.files.files.erase("/d/d.tam");
        core.messages.answers = {Answer::Cancel};
        QVERIFY(core.flows.Form_Unload() == Decision::Stay);
        QVERIFY(core.messages.asked.back().message.id == MessageId::FileGoneOnExit);
        core.messages.answers = {Answer::Yes};
        QVERIFY(core.flows.Form_Unload() == Decision::GoOn);
        QCOMPARE(core.files.bytesAt("/d/d.tam"), std::string("fabc\r\n"));
    }

    void hardLinksAreAskedAboutOncePerDocument()
    {
        Core core;
        core.files.put("/d/a.tam", "old\r\n", 2);
        core.flows.openAtStartUp("\"/d/a.tam\"");
        for (int save = 0; save < 2; ++save) {
            core.view.text = "new" + std::to_string(save);
            core.document.markDocumentChanged();
            core.messages.answers = {Answer::Yes};
            QVERIFY(core.flows.SaveDocument());
            QVERIFY(core.files.writes.back().options.inPlace);
        }
        QCOMPARE(std::count_if(core.messages.asked.begin(), core.messages.asked.end(),
                               [](const auto& q) { return q.message.id == MessageId::HardLinks; }),
                 1);
    }
};

int main(int argc, char** argv)
{
    TestFlows flows;
    TestFlowDecisions decisions;
    return QTest::qExec(&flows, argc, argv) | QTest::qExec(&decisions, argc, argv);
}
#include "test_flows.moc"
