#include "boxes/qtmessageboxservice.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHash>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace hitungrama {

namespace {

// What a title bar holds beside its title, each about as wide as the bar is
// high: the window's icon, three buttons (minimise, maximise, close) and the
// margins and gaps between them, counted as one more.
constexpr int kTitleBarItems = 5;

// QMessageBox makes itself as narrow as its layout allows; a spacer across
// the layout's last row keeps it at least `width` wide (no wider than the
// screen).
void keepAtLeast(QMessageBox &box, int width)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (grid == nullptr)
        return;
    if (const QScreen *screen = box.screen())
        width = std::min(width, screen->availableGeometry().width());
    const QMargins margins = grid->contentsMargins();
    grid->addItem(new QSpacerItem(width - margins.left() - margins.right(), 0, QSizePolicy::Fixed,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

// The style makes a new icon for every box and every standard button, and
// each new icon leaves its drawn pixmaps in Qt's global pixmap cache (under a
// key of its own, until the cache's 10 MiB limit): about 1.9 KB per box. The
// boxes use icons made once instead, whose pixmaps the cache finds again.
const QIcon &sharedIcon(const QStyle &style, QStyle::StandardPixmap which)
{
    static QHash<int, QIcon> icons;
    auto found = icons.find(which);
    if (found == icons.end())
        found = icons.insert(which, style.standardIcon(which));
    return *found;
}

QStyle::StandardPixmap buttonIcon(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return QStyle::SP_DialogYesButton;
    case QMessageBox::No:
        return QStyle::SP_DialogNoButton;
    default:
        return QStyle::SP_DialogOkButton;
    }
}

} // namespace

MessageAnswer QtMessageBoxService::show(QWidget *parent, const MessageBoxRequest &request)
{
    const bool yesNo = request.buttons == MessageButtons::YesNo;
    QMessageBox box(QMessageBox::NoIcon, request.title, request.text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    const QStyle &style = *box.style();
    if (request.icon != MessageIcon::None) {
        const QIcon &icon = sharedIcon(style, request.icon == MessageIcon::Information
                                                  ? QStyle::SP_MessageBoxInformation
                                                  : QStyle::SP_MessageBoxWarning);
        // The size QMessageBox gives its own standard icons.
        const int size = style.pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        box.setIconPixmap(icon.pixmap(QSize(size, size), box.devicePixelRatio()));
    }
    for (QAbstractButton *button : box.buttons()) {
        // Buttons keep no icon where the style shows none.
        if (!button->icon().isNull())
            button->setIcon(sharedIcon(style, buttonIcon(box.standardButton(button))));
    }
    if (yesNo) {
        box.setDefaultButton(request.defaultAnswer == MessageAnswer::No ? QMessageBox::No
                                                                        : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    // After the icon: setting it lays the box out anew.
    keepAtLeast(box, widthForTitle(request.title, box));
    const int answer = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

int QtMessageBoxService::widthForTitle(const QString &title, const QWidget &box)
{
    // Window managers draw the title in a font of their own, mostly bold:
    // the platform's title font in bold stands for it.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int bar = std::max(box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box),
                             metrics.height());
    return metrics.horizontalAdvance(title) + kTitleBarItems * bar;
}

SaveFileAnswer QtMessageBoxService::chooseSaveFile(QWidget *parent, const SaveFileRequest &request)
{
    QFileDialog dialog(parent, request.caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.selectFile(request.path);
    dialog.setDefaultSuffix(request.suffixes.value(0));
    // The dialog adds the suffix before it asks about replacing a file.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request](const QString &filter) {
        dialog.setDefaultSuffix(request.suffixes.value(int(request.filters.indexOf(filter))));
    });
    SaveFileAnswer answer;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return answer;
    answer.path = dialog.selectedFiles().constFirst();
    answer.filter = std::max(0, int(request.filters.indexOf(dialog.selectedNameFilter())));
    return answer;
}

} // namespace hitungrama
