// The daily agenda: calendar moves, date caption and the day's filters on the shared objects.
#include "app/agenda.h"
#include "store/dm.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

namespace agenda = app::agenda;

TEST(AgendaCalendar, MonthAndYearMovesKeepTheDayInsideTheMonth) {
    EXPECT_EQ(agenda::nextMonth(QDate(2007, 1, 31)), QDate(2007, 2, 28));
    EXPECT_EQ(agenda::previousMonth(QDate(2008, 3, 31)), QDate(2008, 2, 29));
    EXPECT_EQ(agenda::nextYear(QDate(2008, 2, 29)), QDate(2009, 2, 28));
    EXPECT_EQ(agenda::previousYear(QDate(2008, 2, 29)), QDate(2007, 2, 28));
    EXPECT_EQ(agenda::nextMonth(QDate(2026, 12, 8)), QDate(2027, 1, 8));
    EXPECT_EQ(agenda::previousMonth(QDate(2027, 1, 8)), QDate(2026, 12, 8));
    EXPECT_EQ(agenda::nextYear(QDate(2026, 12, 8)), QDate(2027, 12, 8));
}

TEST(AgendaCalendar, CaptionIsTheItalianLongDateInCapitals) {
    EXPECT_EQ(agenda::dateCaption(QDate(2026, 12, 8)), "MARTEDÌ 8 DICEMBRE 2026");
    EXPECT_EQ(agenda::dateCaption(QDate(2007, 1, 1)), "LUNEDÌ 1 GENNAIO 2007");
}

TEST(AgendaFilters, TextsOfTheDay) {
    EXPECT_EQ(agenda::movementsOfTypeFilter(QDate(2026, 12, 8), "3"),
              "([data]='08/12/2026') and ([id_tipomov]='3')");
    EXPECT_EQ(agenda::appointmentsFilter(QDate(2026, 12, 8)), "([Data_app]='08/12/2026')");
    EXPECT_EQ(agenda::expiringContractsFilter(QDate(2026, 1, 5)), "([VAL_AL]='05/01/2026')");
}

class AgendaDay : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Tdm data;
    QStringList messages;
    agenda::MessageSink sink = [this](const QString& m) {
        messages << m;
    };

    void SetUp() override { ASSERT_TRUE(data.dmCreate(year.path())); }
    void movement(int id, const QDate& day, int type, const QDate& appointment = {}) {
        data.Tabmov.append();
        data.Tabmov.field("Id").setAsInteger(id);
        data.Tabmov.field("Data").setAsDate(day);
        data.Tabmov.field("Id_tipomov").setAsInteger(type);
        if (appointment.isValid())
            data.Tabmov.field("Data_app").setAsDate(appointment);
        data.Tabmov.post();
    }
};

TEST_F(AgendaDay, InterventionsOfTheDayOnly) {
    const QDate day(2026, 12, 8);
    movement(1, day, 1);
    movement(2, day, 2);
    movement(3, day.addDays(1), 1);
    movement(4, day, 1);
    agenda::showMovementsOfKind(data, day, "INTERVENTO", "", sink);
    EXPECT_EQ(data.Tabmov.filter(), "([data]='08/12/2026') and ([id_tipomov]='1')");
    EXPECT_TRUE(data.Tabmov.filtered());
    EXPECT_EQ(data.Tabmov.recordCount(), 2);
    agenda::showMovementsOfKind(data, day, "RIPARAZIONE", "", sink);
    EXPECT_EQ(data.Tabmov.recordCount(), 1);
    EXPECT_EQ(data.Tabmov.field("Id").asInteger(), 2);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(AgendaDay, DayWithoutMovementsIsEmptyNotAnError) {
    movement(1, QDate(2026, 12, 8), 1);
    agenda::showMovementsOfKind(data, QDate(2026, 12, 9), "INTERVENTO", "", sink);
    EXPECT_EQ(data.Tabmov.recordCount(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(AgendaDay, AppointmentsOfAnyKind) {
    const QDate day(2026, 12, 8);
    movement(1, day.addDays(-3), 1, day);
    movement(2, day.addDays(-2), 3, day);
    movement(3, day, 2);
    agenda::showAppointments(data, day, "", sink);
    EXPECT_EQ(data.Tabmov.recordCount(), 2);
}

TEST_F(AgendaDay, ContractsExpiringThatDayInExpiryOrder) {
    data.Tabcontratti.append();
    data.Tabcontratti.field("ID").setAsInteger(1);
    data.Tabcontratti.field("VAL_AL").setAsDate(QDate(2026, 12, 8));
    data.Tabcontratti.post();
    data.Tabcontratti.append();
    data.Tabcontratti.field("ID").setAsInteger(2);
    data.Tabcontratti.field("VAL_AL").setAsDate(QDate(2027, 12, 8));
    data.Tabcontratti.post();
    agenda::showExpiringContracts(data, QDate(2026, 12, 8), "", sink);
    EXPECT_EQ(data.Tabcontratti.recordCount(), 1);
    EXPECT_EQ(data.Tabcontratti.field("ID").asInteger(), 1);
}

TEST_F(AgendaDay, MissingKindFiltersOnTheCurrentType) {
    data.Tabtipomov.last(); // VENDITA, identifier 3
    agenda::showMovementsOfKind(data, QDate(2026, 12, 8), "COLLAUDO", "", sink);
    EXPECT_EQ(data.Tabmov.filter(), "([data]='08/12/2026') and ([id_tipomov]='3')");
}

TEST_F(AgendaDay, RefusedFilterWarnsWithTheLastFilterAndListsEverything) {
    movement(1, QDate(2026, 12, 8), 1);
    movement(2, QDate(2026, 12, 9), 2);
    agenda::showMovementsOfKind(data, QDate(2026, 12, 8), "INTERVENTO", "", sink);
    ASSERT_EQ(data.Tabmov.recordCount(), 1);
    agenda::applyDayFilter(data.Tabmov, "([data]='31/02/2026')", "([evasa_sn]='true')", sink);
    EXPECT_EQ(messages, QStringList{"Filtro incorretto.([evasa_sn]='true')"});
    EXPECT_FALSE(data.Tabmov.filtered());
    EXPECT_EQ(data.Tabmov.recordCount(), 2);
}
