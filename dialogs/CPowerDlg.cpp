#include "dialogs/CPowerDlg.h"

#include <QKeyEvent>
#include <QScrollBar>

#include "dialogs/LinkFailureBox.h"
#include "link/CloneTransfer.h"
#include "link/SerialLink.h"
#include "link/serial/PortFactory.h"
#include "ui_CPowerDlg.h"

namespace torvan {

namespace {

constexpr int kLevelMax = 255;
constexpr int kPageStep = 10;

std::optional<ScrollCode> CodeOf(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return ScrollCode::LineLeft;
        case QAbstractSlider::SliderSingleStepAdd:
            return ScrollCode::LineRight;
        case QAbstractSlider::SliderPageStepSub:
            return ScrollCode::PageLeft;
        case QAbstractSlider::SliderPageStepAdd:
            return ScrollCode::PageRight;
        case QAbstractSlider::SliderMove:
            return ScrollCode::ThumbTrack;
        case QAbstractSlider::SliderToMinimum:
            return ScrollCode::Top;
        case QAbstractSlider::SliderToMaximum:
            return ScrollCode::Bottom;
        default:
            return std::nullopt;
    }
}

std::optional<ScrollCode> KeyCode(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            return ScrollCode::LineLeft;
        case Qt::Key_Right:
        case Qt::Key_Down:
            return ScrollCode::LineRight;
        case Qt::Key_PageUp:
            return ScrollCode::PageLeft;
        case Qt::Key_PageDown:
            return ScrollCode::PageRight;
        case Qt::Key_Home:
            return ScrollCode::Top;
        case Qt::Key_End:
            return ScrollCode::Bottom;
        default:
            return std::nullopt;
    }
}

}  // namespace

CPowerDlg::CPowerDlg(PortDevice device, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CPowerDlg>()), device_(std::move(device)) {
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    levelButtons_ = {ui_->lowLowButton,     ui_->lowHighButton, ui_->middleLowButton,
                     ui_->middleHighButton, ui_->highLowButton, ui_->highHighButton};
    for (const LevelPointInfo& info : kLevelPoints) {
        const LevelPoint point = info.point;
        connect(&LevelButton(point), &QPushButton::clicked, this,
                [this, point] { OnLevelButton(point); });
    }
    connect(ui_->endButton, &QPushButton::clicked, this, &CPowerDlg::OnEnd);
    connect(ui_->exitButton, &QPushButton::clicked, this, &CPowerDlg::reject);
    QScrollBar& scroll = ScrollBar();
    scroll.setRange(0, kLevelMax);
    scroll.setSingleStep(1);
    scroll.setPageStep(kPageStep);
    scroll.setFocusPolicy(Qt::StrongFocus);
    scroll.installEventFilter(this);
    connect(&scroll, &QAbstractSlider::actionTriggered, this, &CPowerDlg::OnScrollAction);
    ResetControls();
}

CPowerDlg::~CPowerDlg() {
    if (port_) {
        worker_.RunNow([this] {
            link_.reset();
            port_.reset();
        });
    }
}

QPushButton& CPowerDlg::LevelButton(LevelPoint point) {
    return *levelButtons_.at(static_cast<std::size_t>(point));
}

QLabel& CPowerDlg::Display() {
    return *ui_->display;
}

QScrollBar& CPowerDlg::ScrollBar() {
    return *ui_->scrollBar;
}

bool CPowerDlg::OnInitDialog() {
    ResetControls();
    Result opened;
    worker_.Run([&] {
        port_ = MakeSerialPort();
        opened = OpenResolvedPort(*port_, device_);
        if (opened.ok) {
            port_->ConfigurePort(TuningPacing);
            link_ = std::make_unique<SerialLink>(*port_);
        } else {
            port_.reset();
        }
    });
    if (!opened.ok) {
        ShowLinkFailure(this, QString::fromStdString(opened.error), opened.reason);
    }
    return opened.ok;
}

int CPowerDlg::exec() {
    if (!OnInitDialog()) {
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

CPowerDlg::State CPowerDlg::After(State state, Event event) {
    switch (event) {
        case Event::Query:
            return state == State::Idle ? State::Querying : state;
        case Event::Send:  // a value, or the end of tuning (End works when idle too)
            return state == State::Tuning || state == State::Idle ? State::Sending : state;
        case Event::Queried:
            return State::Tuning;
        case Event::QueryFailed:
        case Event::TuningEnded:
            return State::Idle;
        case Event::Sent:
            return State::Tuning;
        case Event::CloseAsked:
            switch (state) {
                case State::Querying:
                    return State::QueryingToClose;
                case State::Sending:
                    return State::SendingToClose;
                case State::Idle:
                case State::Tuning:
                    return State::Closing;
                default:
                    return state;  // a second close request while the first one runs
            }
    }
    return state;
}

bool CPowerDlg::Active() const {
    return state_ == State::Tuning || state_ == State::Sending || state_ == State::SendingToClose;
}

void CPowerDlg::reject() {
    const State before = state_;
    On(Event::CloseAsked);
    if (state_ != State::Closing || before == State::Closing) {
        return;  // closes once the running exchange is over, or is closing
    }
    if (before == State::Tuning) {
        // The dialog closes either way; the user hears of a radio left
        // tuning unless a failure was told already.
        if (const Result ended = Exchange([](SerialLink& link) { return EndTuning(link); });
            !ended.ok) {
            TellFailure(ended);
        }
    }
    ClosePort();
    QDialog::reject();
}

// A gesture ends when the mouse button or a key is let go; a held key's
// repeated releases are part of the gesture. The keys step the value as a
// scroll bar's keys do (Left and Up a line left, Page Up a page left, Home
// to the top...), whatever the style thinks. The wheel is ignored: a turn of
// it would send the radio a value the user never chose.
bool CPowerDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &ScrollBar()) {
        const auto type = event->type();
        if (type == QEvent::Wheel) {
            return true;
        }
        if (type == QEvent::KeyPress) {
            if (const auto code = KeyCode(static_cast<QKeyEvent*>(event)->key())) {
                if (Active()) {
                    gesture_.Step(*code);
                }
                return true;
            }
        }
        const bool keyUp =
            type == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat();
        if (type == QEvent::MouseButtonRelease || keyUp) {
            // After the scroll bar has handled the release itself.
            QMetaObject::invokeMethod(this, &CPowerDlg::EndGesture, Qt::QueuedConnection);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CPowerDlg::OnLevelButton(LevelPoint point) {
    if (state_ != State::Idle) {
        return;
    }
    point_ = point;
    label_ = LevelButton(point).text().toStdString();
    std::optional<std::uint8_t> value;
    On(Event::Query);
    const Result queried = Exchange([&](SerialLink& link) {
        value = QueryLevel(link, point);
        return value.has_value();
    });
    On(queried.ok ? Event::Queried : Event::QueryFailed);
    if (!queried.ok) {
        Fail(queried);
        return;
    }
    LockControls();
    gesture_.Reset(*value);
    ShowLevel(*value);
    ScrollBar().setFocus(Qt::OtherFocusReason);
}

void CPowerDlg::OnEnd() {
    if (state_ != State::Idle && state_ != State::Tuning) {
        return;
    }
    On(Event::Send);
    const Result ended = Exchange([](SerialLink& link) { return EndTuning(link); });
    On(Event::TuningEnded);
    ResetControls();
    if (!ended.ok) {
        Fail(ended);
    }
}

// The scroll bar's own position stays where it is during a gesture; only
// the level value follows the steps, on the byte (so it wraps).
void CPowerDlg::OnScrollAction(int action) {
    const auto code = CodeOf(action);
    if (!code || !Active()) {
        return;
    }
    QScrollBar& scroll = ScrollBar();
    gesture_.Step(*code, scroll.sliderPosition());
    if (*code != ScrollCode::ThumbTrack) {
        scroll.setSliderPosition(scroll.value());
    }
}

void CPowerDlg::EndGesture() {
    if (state_ != State::Tuning) {
        return;
    }
    const auto value = gesture_.End();
    if (!value) {
        return;
    }
    const LevelPoint point = point_;
    On(Event::Send);
    const Result sent =
        Exchange([point, value](SerialLink& link) { return SendLevel(link, point, *value); });
    On(Event::Sent);
    if (!sent.ok) {
        Fail(sent);
        return;
    }
    ShowLevel(*value);
}

void CPowerDlg::ResetControls() {
    for (QPushButton* button : levelButtons_) {
        button->setEnabled(true);
    }
    ScrollBar().setEnabled(false);
    Display().setText(QStringLiteral("0"));
    ScrollBar().setValue(0);
    gesture_.Reset(0);
}

void CPowerDlg::LockControls() {
    for (QPushButton* button : levelButtons_) {
        button->setEnabled(false);
    }
    ScrollBar().setEnabled(true);
}

void CPowerDlg::ShowLevel(std::uint8_t value) {
    Display().setText(QString::fromStdString(LevelText(label_, value)));
    ScrollBar().setValue(value);
}

// Closes through reject() once the handler that failed has returned.
void CPowerDlg::PostCloseRequest() {
    QMetaObject::invokeMethod(this, &CPowerDlg::reject, Qt::QueuedConnection);
}

void CPowerDlg::TellFailure(const Result& failure) {
    if (!failureShown_) {
        failureShown_ = true;
        ShowLinkFailure(this, QString::fromStdString(failure.error), failure.reason);
    }
}

void CPowerDlg::Fail(const Result& failure) {
    TellFailure(failure);
    PostCloseRequest();
}

Result CPowerDlg::Exchange(const std::function<bool(SerialLink&)>& exchange) {
    if (!link_) {
        return Result::Failure(clone_message::kCommunicationError);
    }
    Result result = Result::Success();
    worker_.Run([&] {
        if (!exchange(*link_)) {
            result = Result::Failure(clone_message::kCommunicationError, port_->ErrorText());
        }
    });
    // A close asked for meanwhile closes the dialog once the caller has
    // shown the exchange's end (a failed one closes it anyway: Fail).
    if (result.ok && (state_ == State::QueryingToClose || state_ == State::SendingToClose)) {
        PostCloseRequest();
    }
    return result;
}

void CPowerDlg::ClosePort() {
    if (port_) {
        worker_.Run([this] {
            link_.reset();
            port_->ClosePort();
            port_.reset();
        });
    }
}

}  // namespace torvan
