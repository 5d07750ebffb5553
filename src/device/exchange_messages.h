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

inline constexpr const char* kReadSucceeded = "Чтение параметров успешно завершено!";
inline constexpr const char* kWriteSucceeded = "Запись параметров успешно завершена!";
inline constexpr const char* kTextsWriteSucceeded = "Запись колонтитулов успешно завершена!";

}  // namespace tarvo::device
