INSERT INTO T VALUES ('a"b\c', 'tab	here');
/* comentário */
SET TERM ^ ;
CREATE PROCEDURE P AS BEGIN
  EXIT;
END^
SET TERM ; ^
UPDATE T SET N = 'São João';
COMMIT WORK;
SELECT 'sem fim' FROM RDB$DATABASE