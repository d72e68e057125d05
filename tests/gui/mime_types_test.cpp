// SPDX-License-Identifier: BSD-3-Clause
// The desktop's file types: Zephon's files are told by their names and by how they begin, and an
// include file of another program that ends in .inc is not claimed.
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class MimeTypesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // A database of the freedesktop types and Zephon's, the only one this process looks at.
        QVERIFY(mFolder.isValid());
        const QString packages = mFolder.path() + "/mime/packages";
        QVERIFY(QDir().mkpath(packages));
        QVERIFY(QFile::copy(ZEPHON_MIME_XML, packages + "/zephon.xml"));
        QVERIFY(
            QFile::copy("/usr/share/mime/packages/freedesktop.org.xml", packages + "/freedesktop.org.xml"));
        QCOMPARE(QProcess::execute("update-mime-database", {mFolder.path() + "/mime"}), 0);
        qputenv("XDG_DATA_DIRS", mFolder.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (mFolder.path() + "/home").toLocal8Bit());
    }

    void filesAreToldByNameAndContent_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("type");
        const QString examples = ZEPHON_EXAMPLES_DIR;
        QTest::newRow("inclusions") << "data.inc" << Read(examples + "/inclusions.inc")
                                    << "application/x-zephon-inclusions";
        QTest::newRow("no inclusions")
            << "empty.inc" << QByteArray("0\t\n") << "application/x-zephon-inclusions";
        QTest::newRow("inclusions without extension")
            << "data" << Read(examples + "/inclusions.inc") << "application/x-zephon-inclusions";
        QTest::newRow("fluid model") << "oil.flu" << Read(examples + "/fluid_model.flu")
                                     << "application/x-zephon-fluid-model";
        QTest::newRow("correlation") << "basin.abe" << Read(examples + "/correlation.abe")
                                     << "application/x-zephon-correlation";
        const QString corpus = ZEPHON_FUZZ_CORPUS_DIR;
        QTest::newRow("alpha-beta plot")
            << "curves.abp" << Read(corpus + "/abp/seed1") << "application/x-zephon-alpha-beta-plot";
        QTest::newRow("P-T diagram") << "diagram.ptd" << Read(corpus + "/ptd/seed1")
                                     << "application/x-zephon-phase-diagram";
        QTest::newRow("P-T diagram without extension")
            << "diagram" << Read(corpus + "/ptd/seed1") << "application/x-zephon-phase-diagram";
        QTest::newRow("PHP include") << "page.inc" << QByteArray("<?php\n$title = 'x';\n")
                                     << "application/x-php";
        QTest::newRow("assembler include")
            << "macros.inc" << QByteArray("; macros\n%define X 1\n") << "text/plain";
    }
    void filesAreToldByNameAndContent() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, type);
        const QString path = mFolder.path() + "/" + name;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QCOMPARE(QMimeDatabase().mimeTypeForFile(path).name(), type);
    }

  private:
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir mFolder;
};

QTEST_MAIN(MimeTypesTest)
#include "mime_types_test.moc"
