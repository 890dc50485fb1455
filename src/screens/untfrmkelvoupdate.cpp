// The main update screen: its controls and the handlers that open and close it.
#include "screens/untfrmkelvoupdate.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include "access/catalogue/pega_bde_dados.h"
#include "platform/process.h"
#include "screens/gauge.h"
#include "screens/label_spacing.h"
#include "screens/main_screen_preparation_view.h"
#include "screens/screen_controls.h"
#include "screens/screen_fonts.h"
#include "screens/screen_pictures.h"
#include "screens/uAguarde.h"
#include "screens/unit1.h"
#include "update/program_files.h"

namespace kelvo {

namespace {
const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);

UpdateOptions screenUpdateOptions(const FormatSettings& settings,
                                  std::shared_ptr<const IbClientApi> api, FramePacer& frames) {
  UpdateOptions options;
  options.settings = settings;
  options.api = std::move(api);
  // The archive step's waits show the screen as the run left it.
  options.pause = [&frames](int milliseconds) {
    frames.paintNow();
    pauseMs(milliseconds);
  };
  return options;
}

}  // namespace

RegistryValue LeRegistro(RegistryRoot root, const QString& key_path, const QString& value_name) {
  return readRegistryValue(root, key_path.toStdString(), value_name.toStdString());
}

Tfrmkelvoupdate::Tfrmkelvoupdate(QWidget* parent, AliasRegistry& aliases,
                                 std::shared_ptr<const IbClientApi> api)
    : QWidget(parent),
      aliases_(aliases),
      update_(aliases, screenUpdateOptions(settings_, std::move(api), frames_)) {
  setWindowTitle(QString::fromUtf8("Atualização de Sistema"));
  setFixedSingleBorder(this, 909, 628);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFont(screenFont("MS Sans Serif", 11));
  ensureScreenPictures();
  for (int i = 0; i < 5; ++i) ImageList1.append(QIcon(QString(":/pictures/lamp%1.png").arg(i)));
  createHeader();
  createBody();
  Timer2 = new QTimer(this);
  Timer2->setInterval(100);
  connect(Timer2, &QTimer::timeout, this, &Tfrmkelvoupdate::Timer2Timer);
}

Tfrmkelvoupdate::~Tfrmkelvoupdate() {
  delete aguarde;
  delete confirmation_;
}

void Tfrmkelvoupdate::createHeader() {
  Panel1 = new QFrame(this);
  Panel1->setGeometry(0, 0, 909, 49);
  setBackgroundColor(Panel1, Qt::white);
  Image1 = new QLabel(Panel1);
  Image1->setPixmap(QPixmap(":/pictures/icon.png"));
  Image1->setGeometry(872, 3, 32, 32);
  Label1 =
      makeLabel(Panel1, "Quarvessa", {8, 1, 0, 0}, screenFont("MS Sans Serif", 19, Bold), Qt::blue);
  Label2 = makeLabel(Panel1, "Atualização do Sistema", {9, 27, 0, 0},
                     screenFont("MS Sans Serif", 13, Bold), Qt::black);
}

void Tfrmkelvoupdate::createBody() {
  Panel2 = new QFrame(this);
  Panel2->setGeometry(0, 50, 909, 578);
  Image2 = new QLabel(Panel2);
  Image2->setPixmap(QPixmap(":/pictures/background.png"));
  Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image2->setGeometry(0, 0, 908, 550);

  Label5 = makeLabel(Panel2, "EXE PRINC.", {16, 18, 0, 0}, screenFont("Verdana", 16), kNavy);
  Label9 =
      makeLabel(Panel2, "Label7", {116, 19, 0, 0}, screenFont("MS Sans Serif", 13, Bold), Qt::red);

  createListing();
  createAliasList();
  createProgress();
  createButtons();
  createStatusBar();

  setTabOrder(Memo3, Button1);
  setTabOrder(Button1, Button3);
  setTabOrder(Button3, ProgressBar1);
  setTabOrder(ProgressBar1, TreeView3);
  setTabOrder(TreeView3, CheckListBox1);
}

void Tfrmkelvoupdate::createListing() {
  Memo3 = new QPlainTextEdit(Panel2);
  Memo3->setGeometry(7, 36, 886, 36);
  Memo3->setFont(screenFont("Courier New", 13));
  Memo3->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo3->hide();

  TreeView3 = new QTreeWidget(Panel2);
  TreeView3->setGeometry(11, 36, 886, 35);
  TreeView3->setFont(screenFont("Courier New", 13, Bold));
  TreeView3->setHeaderHidden(true);
  TreeView3->setIndentation(19);
  TreeView3->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void Tfrmkelvoupdate::createAliasList() {
  Label10 = makeLabel(Panel2, "Base Principal", {16, 105, 0, 0}, screenFont("Verdana", 15, Bold),
                      kMaroon);
  CheckListBox1 = new QListWidget(Panel2);
  CheckListBox1->setGeometry(8, 124, 417, 97);
  CheckListBox1->setUniformItemSizes(true);
  // The operator may untick an alias: the script run takes the rows ticked
  // when it starts.
  connect(CheckListBox1, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    update_.tickAlias(static_cast<std::size_t>(CheckListBox1->row(item)),
                      item->checkState() == Qt::Checked);
  });
}

void Tfrmkelvoupdate::createProgress() {
  Gauge1 = new QProgressBar(Panel2);
  Gauge1->setGeometry(11, 466, 884, 20);
  Gauge1->setRange(0, 100);
  Gauge1->setValue(0);
  Gauge1->setAlignment(Qt::AlignCenter);
  Gauge1->setTextVisible(true);
  Gauge1->setFormat("%p%");
  setGaugeForeColor(Gauge1, Qt::yellow);
  ProgressBar1 = new QProgressBar(Panel2);
  ProgressBar1->setGeometry(13, 470, 880, 12);
  ProgressBar1->setMaximum(55000);
  ProgressBar1->hide();

  lblstatus =
      makeLabel(Panel2, " ", {206, 506, 0, 0}, screenFont("MS Sans Serif", 13, Bold), Qt::black);
  lblcontador = makeLabel(Panel2, " ", {206, 526, 0, 0}, font(), Qt::black);
  Label3 = makeLabel(Panel2, " ", {401, 526, 0, 0}, font(), Qt::black);
  // The file name keeps its place while the counter leaves room for it, and
  // moves right of a wider counter (large files, a wider stand-in face), so
  // that both stay whole and apart, about three blanks.
  keepClearOf(lblcontador, Label3, 12);
}

void Tfrmkelvoupdate::createButtons() {
  Button1 = makePictureButton(Panel2, "&Atualizar agora", {11, 506, 182, 31},
                              screenFont("Verdana", 16, Bold), ":/pictures/tick.png", {18, 19},
                              PictureSide::Left);
  Button3 = makePictureButton(Panel2, "&Sair", {804, 506, 90, 31}, screenFont("Verdana", 19, Bold),
                              ":/pictures/door.png", {22, 22}, PictureSide::Left);
  connect(Button1, &QPushButton::clicked, this, &Tfrmkelvoupdate::batualizarClick);
  connect(Button3, &QPushButton::clicked, this, &Tfrmkelvoupdate::bfecharClick);
  // A focused button answers Enter, as on the system the screen comes from.
  Button1->setAutoDefault(true);
  Button3->setAutoDefault(true);
}

void Tfrmkelvoupdate::createStatusBar() {
  StatusBar1 = new QStatusBar(Panel2);
  StatusBar1->setGeometry(1, 550, 907, 27);
  StatusBar1->setSizeGripEnabled(false);
  StatusPanel0 = new QLabel("KelvoUpdate");
  StatusPanel0->setMinimumWidth(50);
  StatusBar1->addWidget(StatusPanel0, 1);
}

void Tfrmkelvoupdate::setConfirmationScreen(TForm1* screen) {
  delete confirmation_;
  confirmation_ = screen;
}

void Tfrmkelvoupdate::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shown_) {
    shown_ = true;
    centreOnScreen(this);
    // The confirmation screen had the keyboard; once it is gone the main
    // screen asks for it, or keys would reach it (where the pointer lies)
    // while it does not count as active and shows no focus.
    activateWindow();
    // Nothing may leave an event handler by an exception: the start-up
    // sequence reports what the preparation did not expect and ends.
    try {
      FormShow();
    } catch (...) {
      preparation_error_ = std::current_exception();
    }
  }
}

void Tfrmkelvoupdate::FormShow() {
  // A faulty settings file is not expected: the start-up's error box names
  // its line and the program ends before anything changed.
  update_.setSiteSettings(readSiteSettings());
  MainScreenPreparationView view(*this);
  update_.prepare(view, confirmation_ != nullptr && confirmation_->Tag() != 0);
}

QString Tfrmkelvoupdate::program_files() { return QString::fromStdString(programFiles()); }

QString Tfrmkelvoupdate::PegaBDEdados(const QString& base, const QString& par) {
  return QString::fromStdString(
      kelvo::PegaBDEdados(aliases_, base.toStdString(), par.toStdString()));
}

void Tfrmkelvoupdate::Timer2Timer() {
  Timer2->stop();
  close();
}

void Tfrmkelvoupdate::closeEvent(QCloseEvent* event) {
  // The close box does what "&Sair" does. During a transfer (the close came
  // through the work handler's message pump) the disconnect fails the
  // download in hand, which keeps its old copy, and ends the run: no further
  // file, no archiver, no scripts.
  if (ftpupdate.Connected()) ftpupdate.Disconnect();
  FormClose();
  event->accept();
  // Closing the main screen ends the program.
  QCoreApplication::quit();
}

void Tfrmkelvoupdate::FormClose() {
  delete aguarde;
  aguarde = nullptr;
}

}  // namespace kelvo
