#pragma once
// Files as the tests read and write them: whole, as bytes.

#include <QFile>
#include <QProcessEnvironment>
#include <QtTest>

namespace orvane::test {

// The environment for running the program on a PDF. Under the sanitizers, LeakSanitizer's
// check at exit crashes in a child that loaded poppler (its tracer takes a SIGSEGV), so
// there the check is left out; AddressSanitizer still watches every access.
inline QProcessEnvironment pdfEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (env.contains("ASAN_OPTIONS"))
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
    return env;
}

inline QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace orvane::test
