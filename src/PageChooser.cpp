#include "PageChooser.h"
#include "ui_PageChooser.h"

#include "BusyCursor.h"
#include "ErrorBox.h"
#include "WindowLook.h"
#include "digitize/picture/RenderSize.h"

#include <QScreen>
#include <QSignalBlocker>

PageChooser::PageChooser(QWidget *parent)
    : QWidget(parent, Qt::Tool), ui(std::make_unique<Ui::PageChooser>()) {
    ui->setupUi(this);
    look::UseWindowFont(this);
    const auto changed = [this] { Guard([this] { Render(); }); };
    connect(ui->SpinEdit1, &QSpinBox::valueChanged, this, changed);
    connect(ui->SpinEdit2, &QSpinBox::valueChanged, this, changed);
}

PageChooser::~PageChooser() = default;

void PageChooser::Offer(std::unique_ptr<DrawnPicture> drawn, const QString &note) {
    drawn_ = std::move(drawn);
    if (!drawn_) {
        hide();
        return;
    }
    page_ = 1;
    resolution_ = drawn_->DefaultResolution();
    {
        const QSignalBlocker pageQuiet(ui->SpinEdit1);
        const QSignalBlocker resolutionQuiet(ui->SpinEdit2);
        ui->SpinEdit1->setRange(1, drawn_->Pages());
        ui->SpinEdit1->setValue(1);
        ui->SpinEdit1->setEnabled(drawn_->Pages() > 1);
        ui->Label6->setText(QStringLiteral("of %1").arg(drawn_->Pages()));
        if (drawn_->PerInch()) {
            ui->Label7->setText(QStringLiteral("Resolution"));
            ui->SpinEdit2->setRange(digitize::MinDpi, digitize::MaxDpi);
            ui->SpinEdit2->setSuffix(QStringLiteral(" dpi"));
            ui->SpinEdit2->setAccessibleName(QStringLiteral("Resolution in dots per inch"));
        } else {
            ui->Label7->setText(QStringLiteral("Long side"));
            ui->SpinEdit2->setRange(digitize::MinLongSide, digitize::MaxLongSide);
            ui->SpinEdit2->setSuffix(QStringLiteral(" px"));
            ui->SpinEdit2->setAccessibleName(QStringLiteral("Long side in pixels"));
        }
        ui->SpinEdit2->setValue(resolution_);
    }
    setWindowTitle(drawn_->PerInch() ? QStringLiteral("Page") : QStringLiteral("Drawing size"));
    ui->Label8->setText(note);
    if (!isVisible() && parentWidget() != nullptr) {
        // Beside the picture's window, not over the picture, where the screen has room.
        const QRect picture = parentWidget()->frameGeometry();
        QPoint at = picture.topRight() + QPoint(8, 0);
        if (const QScreen *s = parentWidget()->screen();
            s != nullptr && !s->availableGeometry().contains(QRect(at, frameGeometry().size())))
            at = picture.topLeft() + QPoint(picture.width() - frameGeometry().width(), 40);
        move(at);
    }
    show();
}

void PageChooser::SetReceiver(std::function<void(digitize::Surface)> receiver) {
    receiver_ = std::move(receiver);
}

void PageChooser::Render() {
    if (!drawn_)
        return;
    const int page = ui->SpinEdit1->value();
    const int resolution = ui->SpinEdit2->value();
    if (page == page_ && resolution == resolution_)
        return;
    try {
        BusyCursor busy;
        auto rendering = drawn_->Render(page, resolution);
        page_ = page;
        resolution_ = resolution;
        ui->Label8->setText(rendering.Note);
        if (receiver_)
            receiver_(std::move(rendering.Picture));
    } catch (...) {
        // The picture shown stays, and so does the choice that drew it.
        const QSignalBlocker pageQuiet(ui->SpinEdit1);
        const QSignalBlocker resolutionQuiet(ui->SpinEdit2);
        ui->SpinEdit1->setValue(page_);
        ui->SpinEdit2->setValue(resolution_);
        throw;
    }
}
