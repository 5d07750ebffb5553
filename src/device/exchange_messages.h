#pragma once

namespace tarvo::device {

inline constexpr const char* kPortOpenError = "Ошибка при открытии COM-порта!";
inline constexpr const char* kExchangeError = "Ошибка при обмене данными с вычислителем!";
inline constexpr const char* kWriteValuesError =
    "Ошибка при записи значений параметров в вычислитель!";
inline constexpr const char* kWrongDeviceType =
    "Тип подключенного вычислителя не соответствует заданной конфигурации!";
inline constexpr const char* kNoComputerInput =
    "Данный вычислитель не поддерживает ввод параметров из компьютера.\n Необходимо обновить "
    "программное обеспечение вычислителя!";
inline constexpr const char* kNoReportTextsOnWrite =
    "Данный вычислитель не поддерживает ввод колонтитулов текстовых отчетов.\n Если требуется "
    "ввод колонтитулов, обновите программное обеспечение вычислителя.";
inline constexpr const char* kNoReportTexts =
    "Данный вычислитель не поддерживает ввод колонтитулов текстовых отчетов.\n Необходимо "
    "обновить программное обеспечение вычислителя!";

inline constexpr const char* kReadStopped =
    "Чтение остановлено. Конфигурация из вычислителя не получена.";
inline constexpr const char* kWriteStoppedPart =
    "Запись остановлена. Вычислитель теперь хранит только часть новой конфигурации: она неполна "
    "и может быть несогласованна.\nЗапишите параметры в вычислитель еще раз.";
inline constexpr const char* kTextsStoppedPart =
    "Запись остановлена. В вычислитель записана только часть колонтитулов текстовых "
    "отчетов.\nЗапишите колонтитулы в вычислитель еще раз.";
inline constexpr const char* kWriteStoppedUnchanged =
    "Запись остановлена до начала записи: параметры вычислителя не изменились.";

inline constexpr const char* kReadSucceeded = "Чтение параметров успешно завершено!";
inline constexpr const char* kWriteSucceeded = "Запись параметров успешно завершена!";
inline constexpr const char* kTextsWriteSucceeded = "Запись колонтитулов успешно завершена!";

}  // namespace tarvo::device
