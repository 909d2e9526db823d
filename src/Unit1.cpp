#include "Unit1.h"
#include "ui_Unit1.h"

#include "ErrorBox.h"
#include "LoupeWindow.h"
#include "PointsExport.h"
#include "RecordCommands.h"
#include "RecordedPoints.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "WindowLook.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QShortcut>
#include <QUndoStack>

TForm1 *Form1 = nullptr;
digitize::Separators RegionalSeparators;

namespace {

void ReadRegionalSeparators() {
    const QLocale locale;
    RegionalSeparators = {locale.decimalPoint().toStdString(),
                          locale.groupSeparator().toStdString()};
}

template <class Slot>
void AddShortcut(QWidget *window, QKeySequence keys, Qt::ShortcutContext context, Slot slot) {
    auto *shortcut = new QShortcut(keys, window); // the window owns it
    shortcut->setContext(context);
    QObject::connect(shortcut, &QShortcut::activated, window, [slot] { Guard(slot); });
}

} // namespace

TForm1::TForm1(RecordedPoints &points, QUndoStack &undo, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm1>()), points_(points), undo_(undo),
      export_(std::make_unique<PointsExport>(points)) {
    Form1 = this;
    ui->setupUi(this);
    look::UseWindowFont(this);
    for (QWidget *w : {static_cast<QWidget *>(ui->Button1), static_cast<QWidget *>(ui->Button2),
                       static_cast<QWidget *>(ui->Button3)})
        look::UseFont(w, look::NormalPixels, true);
    for (QWidget *w : {static_cast<QWidget *>(ui->Label3), static_cast<QWidget *>(ui->Label4),
                       static_cast<QWidget *>(ui->Label5)})
        look::UseFont(w, look::LargePixels, true);
    for (auto field : {AxisField::XZero, AxisField::XMax, AxisField::YZero, AxisField::YMax}) {
        tips_[static_cast<std::size_t>(field)] = Field(field)->toolTip();
        look::UseFont(Field(field), look::LargePixels, true);
        SetFieldColour(field, FieldPink);
        Field(field)->installEventFilter(this);
        // A file dropped anywhere on the window is a picture to open, not text.
        Field(field)->setAcceptDrops(false);
        connect(Field(field), &QLineEdit::textEdited, this,
                [this, field] { Guard([&] { FieldEdited(field); }); });
    }
    // The steps' graph units follow the X values as they are typed.
    for (QLineEdit *edit : {ui->Edit1, ui->Edit2})
        connect(edit, &QLineEdit::textEdited, this,
                [] { Guard([] { Form4->StepsFollowCalibration(); }); });
    ui->Memo1->SetModel(&points_);
    connect(&points_, &RecordedPoints::Reset, this, [this] { ShowSeriesName(); });
    ShowSeriesName();
    ReadRegionalSeparators();

    connect(ui->Button1, &QPushButton::clicked, this,
            [this] { Guard([this] { Button1Click(); }); });
    connect(ui->Button2, &QPushButton::clicked, this,
            [this] { Guard([this] { Button2Click(); }); });
    connect(ui->Button3, &QPushButton::clicked, this,
            [this] { Guard([this] { Button3Click(); }); });
    connect(ui->CheckBox2, &QCheckBox::toggled, this,
            [this] { Guard([this] { CheckBox2Click(); }); });
    connect(ui->CheckBox3, &QCheckBox::toggled, this,
            [this] { Guard([this] { CheckBox3Click(); }); });
    AddShortcut(this, QKeySequence(Qt::ALT | Qt::Key_H), Qt::WindowShortcut,
                [this] { Button1Click(); });
    AddShortcut(this, QKeySequence(Qt::ALT | Qt::Key_A), Qt::WindowShortcut,
                [this] { Button2Click(); });
    AddShortcut(this, QKeySequence(Qt::ALT | Qt::Key_L), Qt::WindowShortcut,
                [this] { Button3Click(); });
    connect(ui->Button4, &QPushButton::clicked, this,
            [this] { Guard([this] { Button4Click(); }); });
    // Toggled, not clicked: the box follows the M key of the image window too.
    connect(ui->CheckBox5, &QCheckBox::toggled, this,
            [this](bool checked) { Guard([&] { CheckBox5Click(checked); }); });
    connect(ui->Edit5, &QLineEdit::editingFinished, this,
            [this] { Guard([this] { Edit5Exit(); }); });
    connect(ui->Button5, &QPushButton::clicked, this,
            [this] { Guard([this] { Button5Click(); }); });
    AddShortcut(this, QKeySequence(Qt::CTRL | Qt::Key_I), Qt::WindowShortcut,
                [this] { Button5Click(); });
    // Saving from any window, the image window above all, where points are taken.
    AddShortcut(this, QKeySequence::Save, Qt::ApplicationShortcut, [this] { SaveLog(); });
    AddShortcut(this, QKeySequence(Qt::CTRL | Qt::Key_Z), Qt::WindowShortcut,
                [this] { undo_.undo(); });
    AddShortcut(this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), Qt::WindowShortcut,
                [this] { undo_.redo(); });
    // Help from any window: this window lives as long as the program.
    AddShortcut(this, QKeySequence::HelpContents, Qt::ApplicationShortcut,
                [this] { Button1Click(); });
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::ShowReadout(const QString &text) {
    ui->Label3->setText(text);
}

void TForm1::ShowPictureName(const QString &name) {
    ui->Button5->setText(name.isEmpty() ? QStringLiteral("Image window") : name);
    ui->Button5->setAccessibleName(name.isEmpty() ? QStringLiteral("Image window")
                                                  : QStringLiteral("Image window: ") + name);
    setWindowTitle(name.isEmpty() ? QStringLiteral("Plotwise")
                                  : QStringLiteral("Plotwise - ") + name);
}

void TForm1::ShowSeriesName() {
    if (!ui->Edit5->hasFocus())
        ui->Edit5->setText(QString::fromStdString(points_.Series().back().Name));
}

void TForm1::NameSeries(QWidget *returnTo) {
    namingFrom_ = returnTo;
    show();
    raise();
    activateWindow();
    ui->Edit5->setFocus(Qt::ShortcutFocusReason);
    // Once the window is active: its activation may move the caret.
    QMetaObject::invokeMethod(ui->Edit5, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void TForm1::Button4Click() {
    undo_.push(new NewSeriesCommand(points_)); // the stack owns it
    NameSeries(nullptr);
}

void TForm1::Edit5Exit() {
    const QString name = ui->Edit5->text().trimmed();
    const int last = points_.Last();
    if (name.isEmpty())
        ShowSeriesName();
    else if (name.toStdString() != points_.Series().back().Name)
        undo_.push(new RenameSeriesCommand(points_, last, name)); // the stack owns it
    if (QWidget *back = std::exchange(namingFrom_, nullptr); back != nullptr) {
        back->activateWindow();
        back->setFocus(Qt::OtherFocusReason);
    }
}

bool TForm1::SaveLog() {
    // The dialog opens over the window the user pressed Ctrl+S in.
    QWidget *from = QApplication::activeWindow();
    return export_->Save(from != nullptr ? from : this);
}

bool TForm1::MayClose() {
    if (!export_->Unsaved())
        return true;
    QMessageBox box(QMessageBox::Warning, ApplicationTitle,
                    QStringLiteral("The log holds recorded points that have not been saved."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setInformativeText(QStringLiteral("Save them before closing?"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveLog();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void TForm1::SetMarksChecked(bool shown) {
    ui->CheckBox5->setChecked(shown);
}

void TForm1::CheckBox5Click(bool checked) {
    emit MarksToggled(checked);
}

void TForm1::Button1Click() {
    Form3->show();
    Form3->raise();
    Form3->activateWindow();
}

void TForm1::Button2Click() {
    Form4->show();
    Form4->raise();
    Form4->activateWindow();
}

void TForm1::Button3Click() {
    Loupe->ShowAndRaise();
}

void TForm1::Button5Click() {
    Form2->show();
    Form2->raise();
    Form2->activateWindow();
}

void TForm1::FormDropFiles(const QList<QUrl> &files) {
    Button5Click();
    Form2->wmDropFiles(files);
}

void TForm1::CheckBox2Click() {
    Form3->SetLogAxes(LogX(), LogY());
}

void TForm1::CheckBox3Click() {
    Form3->SetLogAxes(LogX(), LogY());
}

bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusIn) {
        // The focus given back as the window comes forward is not the user's going in.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        for (auto field : {AxisField::XZero, AxisField::XMax, AxisField::YZero, AxisField::YMax}) {
            const auto i = static_cast<std::size_t>(field);
            if (watched == Field(field) && reason != Qt::ActiveWindowFocusReason &&
                reason != Qt::PopupFocusReason && !entered_[i]) {
                entered_[i] = true;
                enteredText_[i] = Field(field)->text();
            }
        }
    }
    if (event->type() == QEvent::FocusOut) {
        // Leaving for another window or a popup is not leaving the field.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            Guard([&] {
                if (watched == ui->Edit1)
                    Edit1Exit();
                else if (watched == ui->Edit2)
                    Edit2Exit();
                else if (watched == ui->Edit3)
                    Edit3Exit();
                else if (watched == ui->Edit4)
                    Edit4Exit();
            });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::changeEvent(QEvent *event) {
    if (event->type() == QEvent::LocaleChange)
        ReadRegionalSeparators();
    QWidget::changeEvent(event);
}

void TForm1::closeEvent(QCloseEvent *event) {
    bool close = true;
    Guard([&] { close = MayClose(); });
    if (!close) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}

void TForm1::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event) {
    const QList<QUrl> files = event->mimeData()->urls();
    event->acceptProposedAction();
    Guard([&] { FormDropFiles(files); });
}
