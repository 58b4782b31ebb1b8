#include "app.h"
#include "pagekit/data_feedback.h"
#include "platform/platform.h"
#include "ui/qt_dialogs.h"
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QEvent>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollBar>
#include <QTranslator>

namespace app {
namespace {

// Buttons of message boxes carry no icons: in a right-to-left box the style draws the icon over the
// caption ("بله" came out half hidden).
class RegisterStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Every combo box of the program, as it is first polished, takes its size from a fixed number of characters
// instead of its items, so it keeps the width its layout gives it; one long stored subject otherwise pushed a
// page's search button off the screen. The open list still widens to its longest item, within the screen.
// A page's menu bar, laid out with its controls, likewise takes the width it is given: otherwise it holds the
// page at the width it was first shown, and the page can't narrow with the main window.
class ComboWidthKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish) {
            if (auto *combo = qobject_cast<QComboBox *>(watched)) {
                combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                combo->setMinimumContentsLength(comboCharacters);
            } else if (auto *menu = qobject_cast<QMenuBar *>(watched);
                       menu && !qobject_cast<QMainWindow *>(menu->parentWidget())) {
                menu->setSizePolicy(QSizePolicy::Ignored, menu->sizePolicy().verticalPolicy());
            }
        } else if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *popup = static_cast<QWidget *>(watched);
            if (auto *combo = qobject_cast<QComboBox *>(popup->parentWidget()); combo && popup->isWindow())
                widenList(combo, popup);
        }
        return false;
    }

private:
    static void widenList(QComboBox *combo, QWidget *popup)
    {
        QAbstractItemView *view = combo->view();
        int wanted = view->sizeHintForColumn(0) + popup->width() - view->viewport()->width();
        if (combo->count() > combo->maxVisibleItems())
            wanted += view->verticalScrollBar()->sizeHint().width();
        QRect list = popup->geometry();
        if (wanted <= list.width())
            return;
        const QRect screen = combo->screen()->availableGeometry();
        list.setWidth(std::min(wanted, screen.width()));
        // The list opens under the box's leading edge: its right edge in a right-to-left window.
        if (combo->isRightToLeft())
            list.moveRight(popup->geometry().right());
        list.moveLeft(std::clamp(list.left(), screen.left(), screen.right() + 1 - list.width()));
        popup->setGeometry(list);
    }

    static constexpr int comboCharacters = 12;
};

} // namespace

void initialise(QApplication &application)
{
    // The standard locations (the data folder) go by these names.
    QCoreApplication::setOrganizationName(platform::organisationName());
    QCoreApplication::setApplicationName(platform::programName());
    QApplication::setStyle(new RegisterStyle);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QLocale::setDefault(QLocale(QLocale::Persian, QLocale::Iran));
    QFont font(QStringLiteral("Noto Naskh Arabic"));
    font.setPointSize(10);
    QApplication::setFont(font);
    application.installEventFilter(new ComboWidthKeeper(&application));

    auto *translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Persian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    ui::installQtDialogs();
    pagekit::installDataFeedback();
}

} // namespace app
