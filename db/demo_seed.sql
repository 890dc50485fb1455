-- Demo contents of the central catalogue (load after catalog_schema.sql).
-- Script texts are Windows ANSI bytes; 0xE3 is "ã".

INSERT INTO scripts (programa, versao, data, texto, liberado) VALUES
  ('QUARVESSA', '0001', '2026-01-12',
   'CREATE TABLE DEMO_CLIENTE (ID INTEGER NOT NULL, NOME VARCHAR(60));\r\nCOMMIT WORK;\r\n', 'S'),
  ('QUARVESSA', '0002', '2026-02-03',
   CONCAT('INSERT INTO DEMO_CLIENTE (ID, NOME) VALUES (1, ''Jo', X'E3', 'o'');\r\n',
          'INSERT INTO DEMO_CLIENTE (ID, NOME) VALUES (2, ''Maria'');\r\n'), 'S'),
  -- Lines ended by a lone LF, as a script edited on another system may be.
  ('QUARVESSA', '0003', '2026-03-20',
   'ALTER TABLE DEMO_CLIENTE ADD CIDADE VARCHAR(40);\nCOMMIT WORK;\nUPDATE DEMO_CLIENTE SET CIDADE = ''Recife'';\n', 's'),
  -- Written but not yet released: no update applies it.
  ('QUARVESSA', '0004', '2026-04-02',
   'ALTER TABLE DEMO_CLIENTE ADD UF CHAR(2);\r\n', 'N'),
  -- Another programme's script: never listed for QUARVESSA.
  ('OUTRO', '0002', '2026-02-03',
   'CREATE TABLE OUTRO_SISTEMA (ID INTEGER);\r\n', 'S');

-- FTP passwords of the update server, scrambled with key 9 for UTF-16 code
-- units: they descramble to "quarve2026" and "quarve2026b".
INSERT INTO principal (senha_ftp, senha_ftp2) VALUES
  (CONVERT(X'39C28CC2907CC28DC291C2804D4B4D51' USING utf8mb4),
   CONVERT(X'39C28CC2907CC28DC291C2804D4B4D517D' USING utf8mb4));
