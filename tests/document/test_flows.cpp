// The document flows and the recovery keeper on their own, through fakes of the file
// service, the recovery store and the view: every decision, and a failure at each step.

#include "../support/core_fakes.h"
#include "../support/fakes.h"
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
    Document document;
    DocumentFlows flows{document, view, dialog, messages, files};
    RecoveryKeeper recovery{document, view, messages, store};

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
        core.store.orphans["9-9-9"] = "Orvane recovery 3\nwhatever comes next\n";
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
        core.recovery.keep();
        core.recovery.keep();
        QCOMPARE(core.messages.warnings.size(), 1u);
        QVERIFY(core.messages.warnings[0].id == MessageId::RecoveryUnwritable);
        QVERIFY(mentions(core.messages.warnings[0], "not enough memory"));
        core.view.outOfMemory = false;
        core.recovery.keep();
        QVERIFY(core.store.ownExists);
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
        QVERIFY(!core.flows.askExportName(PdfFilter, ".pdf"));
        core.dialog.answers = {"/d/report"};
        core.messages.answers = {Answer::Yes};
        QCOMPARE(core.flows.askExportName(PdfFilter, ".pdf"), std::optional<std::string>("/d/report.pdf"));
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
        core.recovery.keep();  // unchanged: nothing kept
        core.document.setDocumentChanged(true);
        core.recovery.keep();
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
};

QTEST_APPLESS_MAIN(TestFlows)
#include "test_flows.moc"
