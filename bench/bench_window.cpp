// Figures in the real window (on the display bench/run.sh gives it), each beside a bare
// QPlainTextEdit in a QMainWindow doing the same work with the same font (the Qt floor) and,
// where there is one, the machine doing it without Qt (reading, writing, fsync). The sides
// take turns; medians are printed as name=value lines for bench/run.sh.
//
//   bench_window WORK_DIR

#include "../tests/support/fakes.h"
#include "bench.h"
#include "document/file_format.h"
#include "document/search.h"
#include "phonetic/batch_typist.h"
#include "platform/text_codec.h"
#include "romanised.h"
#include "window/find_bar.h"
#include "window/form1.h"
#include "window/tamil_field.h"
#include "window/status_panels.h"
#include "window/tamil_font.h"
#include "window/text_box.h"
#include "window/text_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QStatusBar>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>

#include <fcntl.h>
#include <fstream>
#include <memory>
#include <unistd.h>

using namespace orvane;
using namespace orvane::bench;

namespace {
std::string workDir;

// A key as the keyboard gives it: its character, Return for a line end.
void press(QWidget* to, QChar ch)
{
    if (ch == QLatin1Char('\n')) {
        QTest::sendKeyEvent(QTest::Click, to, Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier);
        return;
    }
    const char16_t u = ch.unicode();
    const Qt::Key key = u > 0x20 && u < 0x7F ? Qt::Key(QChar(u).toUpper().unicode()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, to, key, QString(ch), Qt::NoModifier);
}

// Keys, the event loop turned after each as it would between keystrokes.
void typeInto(QWidget* to, const QString& keys)
{
    for (const QChar ch : keys) {
        press(to, ch);
        QCoreApplication::processEvents();
    }
}

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

// The composed text of romanised keys, as the box holds it: what the bare box types.
QString composed(const std::string& keys)
{
    BatchTypist typist;
    typist.typeBytes(keys);
    QString text = codec::toBoxText(typist.text());
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

std::string document(std::size_t megabytes)
{
    BatchTypist typist;
    typist.typeBytes(romanisedText((megabytes + megabytes / 4) << 20));
    std::string text = typist.text();
    text.resize(megabytes << 20);
    if (text.back() == '\r')
        text.pop_back();
    return text;
}

std::string writeDocument(const std::string& name, const std::string& text)
{
    const std::string path = workDir + "/" + name;
    std::ofstream(path, std::ios::binary) << tamFileBytes(text);
    return path;
}

struct Orvane {
    test::FakeDialog dialog;
    test::FakeMessages messages;
    test::FakeProcess process;
    test::FakeClock clock;
    Form1 form{Form1Services{&dialog, &messages, &process, &clock, nullptr}};
    Orvane()
    {
        form.Form_Load("");
        form.show();
        (void)QTest::qWaitForWindowExposed(&form);
        form.activateWindow();
        QCoreApplication::processEvents();
    }
    void open(const std::string& path)
    {
        dialog.answers = {path};
        form.menOpen_Click();
        QCoreApplication::processEvents();
        if (form.document().DocumentFileName() != path) {
            std::fprintf(stderr, "bench_window: Orvane did not open %s\n", path.c_str());
            std::exit(1);
        }
    }
    void save()
    {
        form.document().setDocumentChanged(true);
        form.menSave_Click();
        if (form.document().DocumentChanged()) {
            std::fprintf(stderr, "bench_window: Orvane did not save\n");
            std::exit(1);
        }
    }
    void caretAt(int position)
    {
        QTextCursor c(form.Text1->document());
        c.setPosition(position);
        form.Text1->setTextCursor(c);
        QCoreApplication::processEvents();
    }
};

// The least a Qt editor is: QPlainTextEdit in a QMainWindow with a status bar, the same font.
struct Bare {
    QMainWindow window;
    QPlainTextEdit* edit = new QPlainTextEdit(&window);
    Bare()
    {
        window.setCentralWidget(edit);
        edit->setFont(tamilFont(15.75));
        window.resize(737, 494);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        window.activateWindow();
        edit->setFocus();
        QCoreApplication::processEvents();
    }
    void caretAt(int position)
    {
        QTextCursor c(edit->document());
        c.setPosition(position);
        edit->setTextCursor(c);
        QCoreApplication::processEvents();
    }
};

QByteArray readWhole(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The machine: the file read into fresh memory, the bytes written and made durable.
std::string machineRead(const std::string& path)
{
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    bytes.resize(std::size_t(::lseek(fd, 0, SEEK_END)));
    keep(::pread(fd, bytes.data(), bytes.size(), 0));
    ::close(fd);
    return bytes;
}

void machineWrite(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    keep(::write(fd, bytes.data(), bytes.size()));
    ::fsync(fd);
    ::close(fd);
}

void qtSave(const QPlainTextEdit* edit, const std::string& path, bool unicode = false)
{
    QSaveFile out(QString::fromStdString(path));
    out.open(QIODevice::WriteOnly);
    out.write(unicode ? edit->toPlainText().toUtf8() : edit->toPlainText().toLatin1());
    out.commit();
}

// The composer and the panels that show its state, per key: Orvane's status bar, and the
// same texts given to QLabels in a QStatusBar.
void panels()
{
    const std::string keys = romanisedText(6000);
    Turns turns;
    QMainWindow withPanels, withLabels;
    auto* bar = new StatusPanelBar(&withPanels);
    withPanels.setStatusBar(bar);
    auto* labels = new QStatusBar(&withLabels);
    withLabels.setStatusBar(labels);
    QLabel* label[3];
    for (QLabel*& l : label) {
        l = new QLabel(labels);
        l->setFont(tamilFont(12));
        labels->addWidget(l, 1);
    }
    struct LabelPanels final : StatusPanels {
        QLabel** label;
        void setPanelText(int n, std::string_view text) override { label[n - 1]->setText(codec::toBoxText(text)); }
    } toLabels;
    toLabels.label = label;
    struct Sink final : KeystrokeInjector, ChangeMarker {
        void sendKeys(std::string_view) override {}
        void markDocumentChanged() override {}
    } sink;
    CompositionTables tables;
    tables.FillSyllableTable();
    tables.FillVowelKeys();
    tables.FillConsonantKeys();
    for (QMainWindow* w : {&withPanels, &withLabels}) {
        w->resize(737, 60);
        w->show();
        (void)QTest::qWaitForWindowExposed(w);
    }
    auto drive = [&](StatusPanels& shown) {
        Composer composer(tables, sink, shown, sink);
        for (const char c : keys) {
            keep(composer.Text1_KeyPress(c == '\n' ? KeyEnter : static_cast<unsigned char>(c)));
            QCoreApplication::processEvents();
        }
    };
    turns.add("panels_orvane_us", [&] { drive(*bar); });
    turns.add("panels_labels_us", [&] { drive(toLabels); });
    turns.run(3);
    for (const auto& [name, ms] : turns.medians())
        print(name, ms * 1000 / double(keys.size()));
}

// Realistic text typed key by key, and the same text appearing in the bare box.
void typing()
{
    const std::string keys = romanisedText(3000);
    const QString orvaneKeys = QString::fromLatin1(keys.c_str());
    const QString bareKeys = composed(keys);
    Turns turns;
    turns.add("type_orvane_us", [&] {
        Orvane o;
        typeInto(o.form.Text1, orvaneKeys);
    });
    turns.add("type_bare_us", [&] {
        Bare b;
        typeInto(b.edit, bareKeys);
    });
    turns.run(3);
    // Windows are made inside each turn: the same for both, and taken out of the figure by
    // timing an empty turn of each.
    Turns empty;
    empty.add("orvane", [] { Orvane o; });
    empty.add("bare", [] { Bare b; });
    empty.run(3);
    const auto typed = turns.medians(), made = empty.medians();
    for (std::size_t i = 0; i < typed.size(); ++i)
        print(typed[i].first, (typed[i].second - made[i].second) * 1000 / double(keys.size()));
    print("type_keys", double(keys.size()));
    print("type_bare_chars", double(bareKeys.size()));
}

// With 16 MB open: one syllable typed at the start, the middle and the end, at five places
// each, in the fresh document (the first key after opening) and again.
void keysIn16MB(const std::string& path, const std::string& text)
{
    const QString boxText = codec::toBoxText(text);
    for (const bool orvane : {true, false}) {
        std::unique_ptr<Orvane> o;
        std::unique_ptr<Bare> b;
        QPlainTextEdit* box;
        const long before = residentKilobytes();
        if (orvane) {
            o = std::make_unique<Orvane>();
            o->open(path);
            box = o->form.Text1;
        } else {
            b = std::make_unique<Bare>();
            b->edit->setPlainText(boxText);
            QCoreApplication::processEvents();
            box = b->edit;
        }
        const std::string side = orvane ? "orvane" : "bare";
        const long opened = residentKilobytes();
        const int length = box->document()->characterCount() - 1;
        for (const char* where : {"start", "middle", "end"}) {
            std::vector<double> times;
            for (int sample = 0; sample < 5; ++sample) {
                const int base = where[0] == 's' ? 0 : where[0] == 'm' ? length / 2 : length;
                const int position = std::clamp(base + (where[0] == 'e' ? -1 : 1) * sample * 997, 0, length);
                if (orvane)
                    o->caretAt(position);
                else
                    b->caretAt(position);
                times.push_back(millisecondsOf([&] { typeInto(box, orvane ? QStringLiteral("ka") : QStringLiteral("f")); }));
                if (where[0] == 's' && sample == 0)
                    print("key16_" + side + "_rss_growth_mb", double(residentKilobytes() - opened) / 1024);
            }
            print("key16_" + side + "_" + where + "_median_ms", median(times));
            print("key16_" + side + "_" + where + "_worst_ms", *std::max_element(times.begin(), times.end()));
        }
        print("open16_" + side + "_rss_mb", double(opened - before) / 1024);
    }
}

// The longest the window's thread is away from its event loop while it runs for ms: the
// largest gap between ticks of a 1 ms timer.
double longestGap(int ms)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    double worst = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        worst = std::max(worst, double(now - last) / 1e6);
        last = now;
    });
    tick.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return worst;
}

// A key in a large document, and the 3 s after it, in which the autosave comes: the longest
// the window does not answer. Turns: the first key after opening (a whole recovery copy),
// then keys after it (the journal). The bare box has no autosave: its figure is the key's.
void stallsAfterKey(const std::string& name, const std::string& path, int turns)
{
    for (const bool orvane : {true, false}) {
        std::unique_ptr<Orvane> o;
        std::unique_ptr<Bare> b;
        QPlainTextEdit* box;
        if (orvane) {
            o = std::make_unique<Orvane>();
            o->open(path);
            box = o->form.Text1;
        } else {
            b = std::make_unique<Bare>();
            b->edit->setPlainText(QString::fromLatin1(readWhole(path)));
            box = b->edit;
        }
        (void)longestGap(500);
        std::vector<double> gaps;
        for (int turn = 0; turn < turns; ++turn) {
            const int at = (box->document()->characterCount() - 1) / (turn + 2);
            if (orvane)
                o->caretAt(at);
            else
                b->caretAt(at);
            typeInto(box, orvane ? QStringLiteral("ka") : QStringLiteral("f"));
            gaps.push_back(longestGap(3000));
        }
        const std::string side = orvane ? "orvane" : "bare";
        print(name + "_" + side + "_first_ms", gaps.front());
        print(name + "_" + side + "_worst_ms", *std::max_element(gaps.begin(), gaps.end()));
        print(name + "_" + side + "_least_ms", *std::min_element(gaps.begin(), gaps.end()));
    }
}

// Finding கொ in 16 MB as the user does: Ctrl+F, "ko" typed into the field, Enter; timed from
// the Enter to the count shown. The bare box: its text taken and searched by QString for
// the same codes, counted. Each turn types the query again, so each search reads anew.
void find16(const std::string& path)
{
    Orvane o;
    o.open(path);
    Bare b;
    b.edit->setPlainText(QString::fromLatin1(readWhole(path)));
    QCoreApplication::processEvents();
    FindBar& bar = *o.form.findBar();
    bar.showFind();
    QCoreApplication::processEvents();
    std::size_t counted = 0;
    Turns turns;
    turns.add("find16_orvane_ms", std::function<double()>([&] {
        bar.findField->clear();
        typeInto(bar.findField, QStringLiteral("ko"));
        const double ms = millisecondsOf([&] { typeInto(bar.findField, QStringLiteral("\n")); });
        if (!bar.count->text().contains(QLatin1String(" of "))) {
            std::fprintf(stderr, "bench_window: the find bar found nothing\n");
            std::exit(1);
        }
        QTest::qWait(200);  // the typing pause's own search, not timed
        return ms;
    }));
    turns.add("find16_bare_ms", [&] {
        const QString text = b.edit->document()->toPlainText();
        std::size_t n = 0;
        for (qsizetype at = text.indexOf(QLatin1String("nfh")); at >= 0; at = text.indexOf(QLatin1String("nfh"), at + 3))
            ++n;
        counted = n;
    });
    turns.run(5);
    for (const auto& [name, range] : turns.ranges())
        printRange(name, range);
    print("find16_matches", double(counted));
}

// Replace All of கொ by கி in 16 MB as the user does: Ctrl+H, the two fields typed, the
// button; timed from the button to the count shown. The bare box: every match found by its
// document and replaced through one cursor, in one edit block, as Qt's own way.
void replaceAll16(const std::string& path)
{
    double orvaneMs = 0, bareMs = 0;
    std::size_t replaced = 0;
    {
        Orvane o;
        o.open(path);
        FindBar& bar = *o.form.findBar();
        bar.showReplace();
        QCoreApplication::processEvents();
        typeInto(bar.findField, QStringLiteral("ko"));
        typeInto(bar.replaceField, QStringLiteral("ki"));
        QTest::qWait(200);
        orvaneMs = millisecondsOf([&] {
            bar.replaceAll();
            QCoreApplication::processEvents();
        });
        if (!bar.note->text().contains(QLatin1String("Replaced"))) {
            std::fprintf(stderr, "bench_window: Replace All replaced nothing\n");
            std::exit(1);
        }
    }
    {
        Bare b;
        b.edit->setPlainText(QString::fromLatin1(readWhole(path)));
        QCoreApplication::processEvents();
        bareMs = millisecondsOf([&] {
            QTextDocument* doc = b.edit->document();
            QTextCursor edit(doc);
            edit.beginEditBlock();
            // Case matters: Bamini's n and N are different signs.
            const auto exact = QTextDocument::FindCaseSensitively;
            for (QTextCursor at = doc->find(QStringLiteral("nfh"), 0, exact); !at.isNull();
                 at = doc->find(QStringLiteral("nfh"), at, exact)) {
                at.insertText(QStringLiteral("fp"));
                ++replaced;
            }
            edit.endEditBlock();
            QCoreApplication::processEvents();
        });
    }
    print("replace16_orvane_ms", orvaneMs);
    print("replace16_bare_ms", bareMs);
    print("replace16_matches", double(replaced));
}

// Start-up with a 64 MB document named, in the window: from Form_Load to the text shown, and
// to a key pressed as soon as it shows (Return) gone in. The bare box: the
// file read by Qt into it, and the same key.
void startup64(const std::string& path, int lines)
{
    const auto wait = [](const std::function<bool()>& done) {
        QElapsedTimer limit;
        limit.start();
        while (!done() && limit.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!done()) {
            std::fprintf(stderr, "bench_window: the window did not take the key\n");
            std::exit(1);
        }
    };
    std::vector<double> text, key, bareText, bareKey;
    for (int turn = 0; turn < 3; ++turn) {
        {
            QElapsedTimer clock;
            clock.start();
            test::FakeDialog dialog;
            test::FakeMessages messages;
            test::FakeProcess process;
            test::FakeClock fakeClock;
            Form1 form{Form1Services{&dialog, &messages, &process, &fakeClock, nullptr}};
            form.Form_Load("\"" + path + "\"");
            form.show();
            wait([&] { return form.Text1->document()->characterCount() > 2; });
            text.push_back(double(clock.nsecsElapsed()) / 1e6);
            QTest::sendKeyEvent(QTest::Click, form.Text1, Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier);
            wait([&] { return form.Text1->document()->blockCount() == lines + 1; });
            key.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        {
            QElapsedTimer clock;
            clock.start();
            Bare b;
            b.edit->setPlainText(QString::fromLatin1(readWhole(path)));
            QCoreApplication::processEvents();
            bareText.push_back(double(clock.nsecsElapsed()) / 1e6);
            const int blocks = b.edit->document()->blockCount();
            QTest::sendKeyEvent(QTest::Click, b.edit, Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier);
            wait([&] { return b.edit->document()->blockCount() == blocks + 1; });
            bareKey.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
    }
    print("start64_text_ms", median(text));
    print("start64_key_ms", median(key));
    print("start64_key_ms_most", *std::max_element(key.begin(), key.end()));
    print("start64_bare_text_ms", median(bareText));
    print("start64_bare_key_ms", median(bareKey));
}

// Opening 16 MB through the window's Open, against the bare box's setPlainText of the file
// read by Qt, and the machine reading the bytes.
void open16(const std::string& path)
{
    Orvane o;
    Bare b;
    Turns turns;
    turns.add("open16_orvane_ms", [&] { o.open(path); });
    turns.add("open16_bare_ms", [&] {
        b.edit->setPlainText(QString::fromLatin1(readWhole(path)));
        QCoreApplication::processEvents();
    });
    turns.add("open16_machine_ms", [&] { keep(machineRead(path).size()); });
    turns.run(3);
    for (const auto& [name, ms] : turns.medians())
        print(name, ms);
}

// Saving a changed document, and opening and saving it, through the window's real paths,
// against the bare box (toPlainText, QSaveFile) and the machine (the bytes read, written and
// made durable). Every side writes the same bytes back to the same file.
// A Unicode file (unicode) is read and written as UTF-8 by the bare box.
void saves(const std::string& name, const std::string& path, int runs, bool withOpen, bool unicode = false)
{
    const std::string bytes = machineRead(path);
    // Each side writes its own copy beside the file, so that none changes the file another
    // one has open.
    const std::string qtCopy = path + ".qt", machineCopy = path + ".machine";
    auto bareOpen = [&path, unicode](Bare& b) {
        const QByteArray read = readWhole(path);
        b.edit->setPlainText(unicode ? QString::fromUtf8(read) : QString::fromLatin1(read));
        QCoreApplication::processEvents();
    };
    Turns turns;
    std::unique_ptr<Orvane> o;
    std::unique_ptr<Bare> b;
    if (withOpen) {
        turns.add(name + "_orvane_ms", [&] {
            Orvane fresh;
            fresh.open(path);
            fresh.save();
        });
        turns.add(name + "_bare_ms", [&] {
            Bare fresh;
            bareOpen(fresh);
            qtSave(fresh.edit, qtCopy, unicode);
        });
        turns.add(name + "_machine_ms", [&] { machineWrite(machineCopy, machineRead(path)); });
    } else {
        o = std::make_unique<Orvane>();
        o->open(path);
        b = std::make_unique<Bare>();
        bareOpen(*b);
        turns.add(name + "_orvane_ms", [&] { o->save(); });
        turns.add(name + "_bare_ms", [&] { qtSave(b->edit, qtCopy); });
        turns.add(name + "_machine_ms", [&] { machineWrite(machineCopy, bytes); });
    }
    turns.run(runs);
    for (const auto& [n, ms] : turns.medians())
        print(n, ms);
}
} // namespace

// Paint events seen by a widget.
struct PaintsSeen : QObject {
    int seen = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        seen += e->type() == QEvent::Paint;
        return false;
    }
};

// Orvane's own view of a storage, shown as the bare box is, with the same font, and its
// paints counted.
struct Viewed {
    TextStorage storage;
    TextView view{storage};
    PaintsSeen paints;
    explicit Viewed(std::string bytes) : storage(std::move(bytes))
    {
        view.setFonts(tamilFont(15.75), QApplication::font());
        view.resize(737, 494);
        view.show();
        (void)QTest::qWaitForWindowExposed(&view);
        view.setFocus();
        QCoreApplication::processEvents();
        view.viewport()->installEventFilter(&paints);
    }
    void waitForPaint()
    {
        QElapsedTimer limit;
        limit.start();
        for (const int before = paints.seen; paints.seen == before && limit.elapsed() < 20000;)
            QCoreApplication::processEvents();
    }
};

// One key, from its event to the widget's paint of it.
double keyToPaint(QWidget* to, PaintsSeen& paints)
{
    QTest::qWait(5);  // as between keystrokes
    QElapsedTimer clock;
    clock.start();
    const int before = paints.seen;
    press(to, QLatin1Char('f'));
    while (paints.seen == before && clock.elapsed() < 5000)
        QCoreApplication::processEvents();
    return double(clock.nsecsElapsed()) / 1e6;
}

// A key in the middle of a paragraph of 1 MB, with spaces between its words and without a
// space, from the key to the screen: in Orvane's own view of the document's storage, and in
// the bare box with the same paragraph (with spaces only: the bare box takes minutes to lay
// out a megabyte with no space), and the bare box's key in an empty document.
void paragraphKeys()
{
    std::string prose = document(2);
    std::erase(prose, '\n');
    std::replace(prose.begin(), prose.end(), '\r', ' ');
    for (const bool spaces : {true, false}) {
        std::string text = prose;
        if (!spaces)
            std::erase(text, ' ');
        text.resize(std::size_t(1) << 20);
        const std::string side = spaces ? "spaces" : "nospace";
        std::vector<double> view;
        {
            Viewed v(text);
            v.view.setCaret(text.size() / 2);
            QCoreApplication::processEvents();
            for (int k = 0; k < 41; ++k)
                view.push_back(keyToPaint(&v.view, v.paints));
        }
        std::sort(view.begin(), view.end());
        print("para_" + side + "_view_ms", view[view.size() / 2]);
        print("para_" + side + "_view_worst_ms", view.back());
        if (spaces) {
            Bare b;
            b.edit->setPlainText(codec::toBoxText(text));
            b.caretAt(int(text.size() / 2));
            PaintsSeen paints;
            b.edit->viewport()->installEventFilter(&paints);
            std::vector<double> bare;
            for (int k = 0; k < 3; ++k)
                bare.push_back(keyToPaint(b.edit, paints));
            std::sort(bare.begin(), bare.end());
            print("para_spaces_bare_ms", bare[1]);
        }
    }
    Bare empty;
    PaintsSeen paints;
    empty.edit->viewport()->installEventFilter(&paints);
    std::vector<double> keys;
    for (int k = 0; k < 41; ++k)
        keys.push_back(keyToPaint(empty.edit, paints));
    std::sort(keys.begin(), keys.end());
    print("para_empty_bare_ms", keys[keys.size() / 2]);
}

// Replace All of கொ by கி in 16 MB in Orvane's own view: found in the storage's bytes, every
// match replaced in one edit of it (one step of Undo), until the view has drawn it.
void viewReplaceAll16(const std::string& path)
{
    std::vector<double> times;
    std::size_t count = 0;
    for (int turn = 0; turn < 3; ++turn) {
        Viewed v(machineRead(path));
        QElapsedTimer clock;
        clock.start();
        std::vector<TextView::Replacement> each;
        for (const TextRange& r : findAll(v.storage.flat(), "\u0B95\u0BCA", {}))
            each.push_back({r.begin, r.end, replacedBytes(r, "\u0B95\u0BBF")});
        v.view.replaceEach(each);
        v.waitForPaint();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
        count = each.size();
        if (count == 0 || !findAll(v.storage.flat(), "\u0B95\u0BCA", {}).empty()) {
            std::fprintf(stderr, "bench_window: the view's Replace All left matches\n");
            std::exit(1);
        }
    }
    print("view_replace16_ms", median(times));
    print("view_replace16_matches", double(count));
}

// A 64 MB document in Orvane's own view, from nothing to a key at its end drawn: the file
// read, its bytes the storage's (its lines indexed), the view shown, Ctrl+End and a key;
// with 1.3 million short lines and with lines of 64 KB. Beside it the machine reading the
// file, and the memory it added. Run in a process of its own (bench_window WORK_DIR view64,
// after the rest has written doc64.tam), so that no memory freed before is taken again.
void viewStart64(const std::string& shortLines)
{
    std::string joined = machineRead(shortLines);
    for (std::size_t at = joined.find("\r\n"), next = 64 << 10; at != std::string::npos; at = joined.find("\r\n", at + 2)) {
        if (at < next) {
            joined[at] = ' ';
            joined[at + 1] = ' ';
        } else {
            next = at + (64 << 10);
        }
    }
    const std::string longLines = workDir + "/doc64long.tam";
    machineWrite(longLines, joined);
    joined = {};
    for (const auto& [name, path] : {std::pair{"short", shortLines}, std::pair{"long", longLines}}) {
        std::vector<double> times, reads, added;
        for (int turn = 0; turn < 3; ++turn) {
            {
                QElapsedTimer clock;
                clock.start();
                keep(machineRead(path).size());
                reads.push_back(double(clock.nsecsElapsed()) / 1e6);
            }
            const long before = residentKilobytes();
            QElapsedTimer clock;
            clock.start();
            Viewed v(machineRead(path));
            QTest::keyClick(&v.view, Qt::Key_End, Qt::ControlModifier);
            press(&v.view, QLatin1Char('f'));
            v.waitForPaint();
            times.push_back(double(clock.nsecsElapsed()) / 1e6);
            added.push_back(double(residentKilobytes() - before) / 1024);
            if (v.storage.size() != std::size_t(QFileInfo(QString::fromStdString(path)).size()) + 1) {
                std::fprintf(stderr, "bench_window: the key did not go in at the end\n");
                std::exit(1);
            }
        }
        print(std::string("view64_") + name + "_ms", median(times));
        print(std::string("view64_") + name + "_read_ms", median(reads));
        print(std::string("view64_") + name + "_added_mb", median(added));
    }
    print("view64_file_mb", double(QFileInfo(QString::fromStdString(shortLines)).size()) / (1 << 20));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_window WORK_DIR\n");
        return 2;
    }
    workDir = argv[1];
    if (argc > 2 && std::string_view(argv[2]) == "view64") {  // in a process of its own, for its memory
        viewStart64(workDir + "/doc64.tam");
        return 0;
    }
    const std::string text16 = document(16);
    const std::string path16 = writeDocument("doc16.tam", text16);
    // As large as a document may be: 64 MB with its closing line end.
    std::string text64 = document(64);
    text64.resize(text64.size() - 16);
    if (text64.back() == '\r')
        text64.pop_back();
    const std::string path64 = writeDocument("doc64.tam", text64);
    if (argc > 2 && std::string_view(argv[2]) == "paragraph") {  // this section alone
        paragraphKeys();
        viewReplaceAll16(path16);
        return 0;
    }
    if (argc > 2 && std::string_view(argv[2]) == "find") {  // this section alone
        find16(path16);
        return 0;
    }
    if (argc > 2 && std::string_view(argv[2]) == "replace") {  // this section alone
        replaceAll16(path16);
        return 0;
    }
    if (argc > 2 && std::string_view(argv[2]) == "stalls") {  // this section alone
        stallsAfterKey("stall16", path16, 3);
        stallsAfterKey("stall64", path64, 3);
        return 0;
    }
    const std::string pathU = workDir + "/doc8.txt";
    std::ofstream(pathU, std::ios::binary) << unicodeFileBytes(document(8), DocumentFormat{DocumentFormat::Unicode});
    if (argc > 2 && std::string_view(argv[2]) == "saves") {  // this section alone
        saves("save16", path16, 5, false);
        saves("save64", path64, 3, false);
        saves("opensave64", path64, 2, true);
        saves("opensaveu", pathU, 3, true, true);
        return 0;
    }
    if (argc > 2 && std::string_view(argv[2]) == "startup") {  // this section alone
        startup64(path64, int(std::count(text64.begin(), text64.end(), '\n')) + 1);
        return 0;
    }
    panels();
    typing();
    paragraphKeys();
    keysIn16MB(path16, text16);
    open16(path16);
    saves("save16", path16, 5, false);
    saves("save64", path64, 3, false);
    saves("opensave64", path64, 2, true);
    // A Unicode document, its lines kept as the file had them.
    saves("opensaveu", pathU, 3, true, true);
    find16(path16);
    replaceAll16(path16);
    viewReplaceAll16(path16);
    stallsAfterKey("stall16", path16, 3);
    stallsAfterKey("stall64", path64, 3);
    startup64(path64, int(std::count(text64.begin(), text64.end(), '\n')) + 1);
    return 0;
}
