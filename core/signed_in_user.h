#pragma once
// The signed-in user: id, user name and level, as sign-in wrote them. Before any sign-in the three texts
// are "prs_id", "karbar" and "level". The users page shows karbar and level at its foot.
#include <QObject>
#include <QString>

class SignedInUser : public QObject {
    Q_OBJECT
public:
    static SignedInUser &instance();

    QString prsId() const { return prsId_; }
    QString karbar() const { return karbar_; }
    QString level() const { return level_; }

    void set(const QString &prsId, const QString &karbar, const QString &level);

Q_SIGNALS:
    void changed();

private:
    QString prsId_ = QStringLiteral("prs_id");
    QString karbar_ = QStringLiteral("karbar");
    QString level_ = QStringLiteral("level");
};
