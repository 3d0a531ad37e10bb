// The desktop program driven as a user drives it: real windows, real file dialogs, a pseudo
// terminal for the instrument.
#include <gmock/gmock.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include "gui_driver.h"
#include "main_window.h"
#include "project_views.h"
#include "protocol_dock.h"
#include "serial/serial_fixture.h"
#include "serial/transfer_state.h"

namespace {

using namespace gui_test;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::Profile::UseFile(dir / "settings.toml");
        res::SetLanguage(res::Language::English);
        window = std::make_unique<gui::MainWindow>();
        window->show();
    }
    QString Path(const std::string& name) const {
        return QString::fromStdString((dir / name).string());
    }
    // Picks the files-of-type entry whose text holds `piece`, as a click in the list does.
    static void ChooseType(QWidget& file_dialog, const QString& piece) {
        auto* types = file_dialog.findChild<QComboBox*>("fileTypeCombo");
        ASSERT_TRUE(types);
        const int index = types->findText(piece, Qt::MatchContains);
        ASSERT_GE(index, 0) << piece.toStdString();
        types->setCurrentIndex(index);
        Q_EMIT types->activated(index);
    }
    static void Type(QWidget& window, const char* name, const QString& text) {
        auto* edit = window.findChild<QLineEdit*>(name);
        ASSERT_TRUE(edit) << name;
        edit->setText(text);
    }

    testing_support::TempDir tmp;
    const fs::path& dir = tmp.path();
    std::unique_ptr<gui::MainWindow> window;
    Driver driver;
};

TEST_F(GuiTest, GeodimeterFileImportsThroughTheFileDialog) {
    const QString job = QStringLiteral(TAVRIN_SOURCE_DIR "/examples/traverse.job");
    driver.Then("ImportDialog", [&](QWidget& w) {
        ChooseType(w, "*.job");
        Type(w, "fileNameEdit", job);
        Shot(w, "import_dialog");
        return Click(w, "id9237_import");
    });
    window->ImportInstrumentFiles();
    ASSERT_TRUE(driver.Done());

    EXPECT_TRUE(window->modified());
    // The stations have coordinates: they are points; the targets are observations of them, and
    // points once computed after the import.
    auto* tree = window->findChild<QTreeWidget*>("stationTree");
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "ST1");
    for (const char* name : {"ST1", "ST2", "101", "102", "103", "104", "105"})
        EXPECT_FALSE(window->survey_table()->findItems(name, Qt::MatchExactly).isEmpty() ||
                     tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).isEmpty())
            << name;
    window->resize(1100, 750);
    QApplication::processEvents();
    Shot(*window, "main_window");

    // Closing asks about the unsaved import: Cancel keeps the window, No lets it go.
    driver.Then("tavrinMessage", Answer(QMessageBox::Cancel));
    EXPECT_FALSE(window->close());
    driver.Then("tavrinMessage", Answer(QMessageBox::No));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(driver.Done());
}

TEST_F(GuiTest, OutOfRangeOptionIsRefusedByItsPage) {
    QString message;
    driver.Then("ImportDialog", [](QWidget& w) {
        ChooseType(w, "*.gsi");
        return Click(w, "id1020_options");
    });
    driver.Then("PropertySheet", [&](QWidget& w) {
        Shot(w, "options_general");
        w.findChild<QTabWidget*>("pages")->setCurrentIndex(2);
        Type(w, "id9216_station412", "50");  // the word of the station name: 42 to 49
        Shot(w, "options_leica");
        w.findChild<QDialogButtonBox*>("sheetButtons")->button(QDialogButtonBox::Ok)->click();
        return true;
    });
    driver.Then("tavrinMessage", Answer(QMessageBox::Ok, &message));
    driver.Then("PropertySheet", [&](QWidget& w) {
        // Still open, on the page at fault, with the refused text selected for typing over.
        auto* pages = w.findChild<QTabWidget*>("pages");
        EXPECT_EQ(pages->currentIndex(), 2);
        EXPECT_EQ(w.findChild<QLineEdit*>("id9216_station412")->selectedText(), "50");
        Type(w, "id9216_station412", "45");
        pages->setCurrentIndex(1);
        EXPECT_EQ(pages->currentIndex(), 1);  // a right value lets the page go
        Shot(w, "options_coding");
        w.findChild<QDialogButtonBox*>("sheetButtons")->button(QDialogButtonBox::Cancel)->click();
        return true;
    });
    driver.Then("ImportDialog", [](QWidget& w) { return Click(w, "id9238_cancel"); });
    window->ImportInstrumentFiles();
    ASSERT_TRUE(driver.Done());
    EXPECT_EQ(message.toStdString(), res::Format(res::LoadString(9075), {"50", "42", "49"}));
    EXPECT_FALSE(window->modified());
}

TEST_F(GuiTest, SelectedPointsAreExportedThroughTheExportDialog) {
    tmp.Write("p.json",
              R"({"title": "t", "control_points": [], "survey_points": [)"
              R"({"name": "11", "x": 5001.5, "y": 2001.5, "h": 101.5},)"
              R"({"name": "12", "x": 5002.5, "y": 2002.5, "h": 102.5},)"
              R"({"name": "13", "x": 5003.5, "y": 2003.5, "h": 103.5}], "stations": []})");
    ASSERT_TRUE(window->OpenProject(Path("p.json")));
    window->survey_table()->SelectNames({"11", "13"});
    window->project().SetAttr(4, 1);  // the project is complete: no question about it
    driver.Then("ExportDialog", [&](QWidget& w) {
        ChooseType(w, "Geodimetr");
        Type(w, "fileNameEdit", Path("out"));
        Shot(w, "export_dialog");
        return Click(w, "id9237_export");
    });
    driver.Then("ReportTypeForm", [](QWidget& w) {
        Click(w, "id1571_selected");
        Shot(w, "report_type");
        return Click(w, "id1_ok");
    });
    window->ExportInstrumentFormats();
    ASSERT_TRUE(driver.Done());

    EXPECT_THAT(tmp.Read(dir / "out.are"),
                ::testing::AllOf(HasSubstr("5001.5"), HasSubstr("5003.5"),
                                 ::testing::Not(HasSubstr("5002.5"))));

    // The same project to GIS: the type picks the format, the points become features.
    driver.Then("OutputsDialog", [&](QWidget& w) {
        ChooseType(w, "GeoJSON");
        Type(w, "fileNameEdit", Path("out.json.txt"));
        Shot(w, "outputs_dialog");
        qobject_cast<QDialog*>(&w)
            ->accept();  // the file dialog's own accept, through the public slot
        return true;
    });
    window->ExportOutputs();
    ASSERT_TRUE(driver.Done());
    EXPECT_THAT(tmp.Read(dir / "out.json.txt"),
                ::testing::AllOf(HasSubstr("FeatureCollection"), HasSubstr("\"13\"")));
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("GeoJSON"));
}

TEST_F(GuiTest, FileReceivedOverTheLineIsImported) {
    serial_test::Pty pty;
    serial::Transfer().initialised = false;
    const QString file = Path("3ta5.txt");
    driver.Then("PortSettingsForm", [&](QWidget& w) {
        auto* port = w.findChild<QComboBox*>("id9093_port");
        port->setEditText(QString::fromStdString(pty.path));
        Type(w, "id9076_file", file);
        Shot(w, "port_settings");
        return Click(w, "id1_ok");
    });
    driver.Then("tavrinMessage", Answer(QMessageBox::Yes));  // the instrument is ready
    bool sent = false;
    driver.Then("ReceiveWindow", [&](QWidget& w) {
        if (!sent) {
            if (pty.Settings().c_lflag & ICANON)
                return false;  // not listening yet
            sent = pty.Send(
                serial_test::Record({"0010", "ST1", "", "010203", "B1", "0000000", "1550"}) +
                serial_test::Record({"2010", "P1", "TREE", "12345", "1234530", "0900000", "1500"}));
            return false;
        }
        if (w.findChild<QLabel*>("id9092_count")->text() != "2")
            return false;
        Shot(w, "receive_window");
        return Click(w, "id2_stop");  // Stop after the data: what came is kept
    });
    QString question;
    driver.Then("tavrinMessage", Answer(QMessageBox::Yes, &question));
    driver.Then("ImportDialog", [](QWidget& w) { return Click(w, "id9237_import"); });
    window->Receive();
    serial::Transfer().device_path.clear();
    ASSERT_TRUE(driver.Done());

    EXPECT_TRUE(question.contains("2")) << question.toStdString();
    ASSERT_EQ(window->project().data().stations.size(), 1u);
    const auto& station = window->project().data().stations[0];
    EXPECT_EQ(station.name + " " + station.observations.at(0).target, "ST1 P1");
    EXPECT_TRUE(window->modified());
}

TEST_F(GuiTest, LanguageSwitchChangesTheMenus) {
    QAction* russian = window->findChild<QAction*>("action9815_4");
    QAction* english = window->findChild<QAction*>("action9815_3");
    ASSERT_TRUE(russian && english);
    russian->trigger();
    EXPECT_EQ(window->menu(0)->title(), "&Файл");
    EXPECT_EQ(window->findChild<QAction*>("action9811_1")->text(), "&Файлы приборов...");
    EXPECT_EQ(platform::Profile::Instance().GetString("Desktop", "Language", ""), "ru");
    english->trigger();
    EXPECT_EQ(window->menu(0)->title() + window->menu(5)->title(), "&File&Help");
}

TEST_F(GuiTest, ProtocolEntryOpensItsFileAtItsLine) {
    const auto where = gui::LocationOf("File  /data/a b.job, string  12:\nbad value");
    ASSERT_TRUE(where);
    EXPECT_EQ(std::pair(where->path, where->line), std::pair(std::string("/data/a b.job"), 12L));
    EXPECT_FALSE(gui::LocationOf("bad value"));
    tmp.Write("f.job", "line one\nline two\nline three\n");
    ASSERT_TRUE(window->protocol()->OpenAt({(dir / "f.job").string(), 2}));
    EXPECT_EQ(window->protocol()->viewer()->textCursor().selectedText(), "line two");
}

// The dialogs no other test opens, so that every one has its picture.
TEST_F(GuiTest, RemainingDialogsHavePictures) {
    platform::Profile::Instance().WriteInt("ImportSettings", "CurrentSelection", 2);  // Elta M5
    driver.Then("PropertySheet", [](QWidget& w) {
        auto* pages = w.findChild<QTabWidget*>("pages");
        pages->setCurrentIndex(pages->count() - 1);
        Shot(w, "options_m5");
        w.findChild<QDialogButtonBox*>("sheetButtons")->button(QDialogButtonBox::Cancel)->click();
        return true;
    });
    window->ImportOptions();
    ASSERT_TRUE(driver.Done());
    driver.Then("FileExistsForm", [](QWidget& w) {
        Shot(w, "file_exists");
        return Click(w, "id2_cancel");
    });
    EXPECT_EQ(serial::CCommFexist("/tmp/3ta5.txt").Choose(), serial::kCancelled);
    driver.Then("tavrinMessage", [](QWidget& w) {
        Shot(w, "message_box");
        return Answer(QMessageBox::Ok)(w);
    });
    window->About();
    EXPECT_TRUE(driver.Done());
}

}  // namespace
