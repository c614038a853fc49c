#include "StudentsTestSupport.h"

#include "data/Connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sijill::test {

QStringList tableRows(const QString& dbFile, const QString& sql) {
    data::Connection c(
        QDir(qEnvironmentVariable("SIJILL_HOME")).filePath(QStringLiteral("Database/") + dbFile));
    const data::RecordSet rs = c.query(sql);
    QStringList out;
    for (int r = 0; r < rs.recordCount(); ++r) {
        QStringList f;
        for (int col = 0; col < rs.fieldNames().size(); ++col) {
            const QVariant v = rs.value(r, col);
            f << (v.isNull() ? QStringLiteral("<null>") : v.toString());
        }
        out << f.join(QLatin1Char('|'));
    }
    return out;
}

void seedOldSchool(const TestHome& home) {
    home.exec("MyDatabase.db",
              "INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7,d8) VALUES "
              "('01','قديم اول','0','9000000001','1','الابتدائي','ثالث','1','0'),"
              "('02','قديم ثان','0','9000000002','1','الابتدائي','ثالث','1','0'),"
              "('01','قديم ثالث','0','9000000003','1','الابتدائي','خامس','2','0')");
    home.exec("Schedual.db", "INSERT INTO grades (kind,grade,class,order_it) VALUES "
                             "('ابتدائي','ثالث','1',3), ('ابتدائي','خامس','2',5)");
}

std::map<QString, QByteArray> databaseBytes(const TestHome& home) {
    std::map<QString, QByteArray> bytes;
    const QDir dir(QFileInfo(home.database(QStringLiteral("MyDatabase.db"))).absolutePath());
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files)) {
        QFile file(f.absoluteFilePath());
        if (file.open(QIODevice::ReadOnly))
            bytes[f.fileName()] = file.readAll();
    }
    return bytes;
}

} // namespace sijill::test
